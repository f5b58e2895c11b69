#include "gui/pages/diskette_location_page.h"

#include "gui/pages/control_binding.h"
#include "gui/pages/page_host.h"
#include "platform/floppy_drives.h"
#include "platform/io_error.h"
#include "settings/build_settings.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLabel* plainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

template <class Button> Button* valueButton(QLatin1String value, const QString& text, QWidget* parent) {
    auto* button = new Button(text, parent);
    button->setObjectName(ControlBinding::controlName(value));
    button->setChecked(BuildSettings().isChecked(value));
    return button;
}

// Small print under a drive choice.
QLabel* driveNote(const QString& name, QWidget* parent) {
    QLabel* label = plainLabel(QString(), parent);
    label->setObjectName(name);
    QFont font = label->font();
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * 0.85);
        label->setFont(font);
    }
    label->setContentsMargins(24, 0, 0, 0);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// A drive's note with its "Change..." button beside it.
QHBoxLayout* driveRow(QLabel* note, QWidget* button) {
    auto* row = new QHBoxLayout;
    row->addWidget(note, 1);
    row->addWidget(button, 0, Qt::AlignTop);
    return row;
}

} // namespace

QToolButton* DisketteLocationPage::changeButton(QChar letter, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QStringLiteral("Change") + letter);
    button->setText(tr("Change..."));
    button->setAccessibleName(tr("Change drive %1:").arg(letter));
    button->setPopupMode(QToolButton::InstantPopup);
    button->setFocusPolicy(Qt::StrongFocus);
    auto* menu = new QMenu(button);
    QAction* image = menu->addAction(tr("Diskette image file..."));
    image->setObjectName(QStringLiteral("Image") + letter);
    QAction* folder = menu->addAction(tr("Folder..."));
    folder->setObjectName(QStringLiteral("Folder") + letter);
    connect(image, &QAction::triggered, this, [this, letter] { changeDrive(letter, false); });
    connect(folder, &QAction::triggered, this, [this, letter] { changeDrive(letter, true); });
    // The floppy drives the computer has now (a USB drive comes and goes), each a choice of its own.
    connect(menu, &QMenu::aboutToShow, this, [this, menu, letter] {
        for (QAction* old : menu->actions()) {
            if (old->property("device").isValid()) {
                menu->removeAction(old);
                old->deleteLater();
            }
        }
        const QList<FloppyDrive> drives = FloppyDrives::usable();
        if (!drives.isEmpty())
            menu->addSeparator()->setProperty("device", QString());
        for (const FloppyDrive& drive : drives) {
            QAction* device = menu->addAction(tr("Floppy drive %1").arg(drive.describe()));
            device->setProperty("device", drive.device);
            connect(device, &QAction::triggered, this,
                    [this, letter, path = drive.device] { storeDrive(letter, path); });
        }
    });
    button->setMenu(menu);
    return button;
}

void DisketteLocationPage::changeDrive(QChar letter, bool folder) {
    Dialogs& dialogs = host().dialogs();
    const DriveTable drives = host().drives();
    const QFileInfo current(drives.hostPath(letter));
    QString chosen;
    if (folder) {
        chosen =
            dialogs.directoryName(tr("Folder for drive %1:").arg(letter),
                                  current.exists() ? current.absoluteFilePath() : current.absolutePath());
    } else {
        chosen = dialogs.disketteFileName(
            tr("Diskette image for drive %1:").arg(letter), current.absolutePath(),
            drives.kind(letter) == DriveTable::Kind::Image ? current.fileName()
                                                           : QStringLiteral("%1.img").arg(letter));
        // Typed without an extension, the name is still an image's, not a folder's.
        if (!chosen.isEmpty() && !QFileInfo::exists(chosen) && QFileInfo(chosen).suffix().isEmpty())
            chosen += QStringLiteral(".img");
    }
    if (!chosen.isEmpty())
        storeDrive(letter, QDir::cleanPath(chosen));
}

void DisketteLocationPage::storeDrive(QChar letter, const QString& hostPath) {
    try {
        DriveTable::save(host().programDir(), letter, hostPath);
    } catch (const IoError& e) {
        host().dialogs().message(e.message(), Dialogs::Icon::Error, Dialogs::Buttons::Ok, 0);
    }
    showDrives();
}

void DisketteLocationPage::showDrives() {
    // Read at each showing: the drive table may have been edited since.
    const DriveTable drives = host().drives();
    m_driveA->setText(drives.describe(u'A'));
    m_driveB->setText(drives.describe(u'B'));
    m_template->setText(drives.describeTemplate());
}

DisketteLocationPage::DisketteLocationPage(PageHost& host, QWidget* parent)
    : WizardPage(host, PageId::DisketteLocation, parent) {
    body()->addWidget(
        plainLabel(tr("Insert a formatted (with DOS boot-up system files) high-density (1.44MB) 3.5 "
                      "inch floppy diskette into the floppy drive now.  This diskette will be made "
                      "into the Pellacore Client boot diskette."),
                   this));
    body()->addWidget(
        plainLabel(tr("Important: Diskette must be formatted with DOS boot-up system files.  It must "
                      "also contain HIMEM.SYS and EMM386.EXE.  Press F1 for more information."),
                   this));

    // A parent of their own: Qt's automatic exclusion takes in every radio button below the parent,
    // and with the hidden format choice among them a click on A: or B: cleared the wrong button.
    auto* driveChoice = new QWidget(this);
    auto* driveLayout = new QVBoxLayout(driveChoice);
    driveLayout->setContentsMargins(0, 0, 0, 0);
    m_diskA = valueButton<QRadioButton>(PageValue::DiskA, tr("Diskette is in drive A:"), driveChoice);
    m_driveA = driveNote(QStringLiteral("DriveALabel"), driveChoice);
    m_diskB = valueButton<QRadioButton>(PageValue::DiskB, tr("Diskette is in drive B:"), driveChoice);
    m_driveB = driveNote(QStringLiteral("DriveBLabel"), driveChoice);
    m_template = driveNote(QStringLiteral("TemplateLabel"), driveChoice);
    driveLayout->addWidget(m_diskA);
    driveLayout->addLayout(driveRow(m_driveA, changeButton(u'A', driveChoice)));
    driveLayout->addWidget(m_diskB);
    driveLayout->addLayout(driveRow(m_driveB, changeButton(u'B', driveChoice)));
    driveLayout->addWidget(m_template);
    body()->addWidget(driveChoice);

    // Kept and saved with a configuration, never shown: the build does not format.
    m_formatBox = new QGroupBox(this);
    m_formatBox->setObjectName(QStringLiteral("GroupBox1"));
    auto* group = new QVBoxLayout(m_formatBox);
    m_format = valueButton<QRadioButton>(PageValue::DiskFormat, tr("Format Diskette."), m_formatBox);
    m_quickFormat = valueButton<QCheckBox>(PageValue::DiskQuickFormat,
                                           tr("Perform a quick format (erase data only)"), m_formatBox);
    m_formatted = valueButton<QRadioButton>(
        PageValue::DiskFormatted, tr("Diskette is already formatted with system files."), m_formatBox);
    group->addWidget(m_format);
    group->addWidget(m_quickFormat);
    group->addWidget(m_formatted);
    m_formatBox->hide();
    body()->addWidget(m_formatBox);

    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(
        plainLabel(tr("Click the \"Next\" button to create the Pellacore Client diskette.  All "
                      "information on the diskette will be overwritten!"),
                   panel));
    body()->addWidget(panel);
    body()->addStretch(1);

    connect(m_formatted, &QRadioButton::clicked, this, &DisketteLocationPage::syncQuickFormat);
    connect(m_format, &QRadioButton::clicked, this, &DisketteLocationPage::syncQuickFormat);
    syncQuickFormat();
}

void DisketteLocationPage::syncQuickFormat() {
    m_quickFormat->setEnabled(m_format->isChecked());
}

void DisketteLocationPage::showPage() {
    syncQuickFormat();
    showDrives();
}
