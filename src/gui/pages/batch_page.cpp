#include "gui/pages/batch_page.h"

#include "batch/batch_update.h"
#include "gui/pages/page_host.h"
#include "gui/widgets/address_edit.h"
#include "gui/widgets/window_fit.h"
#include "platform/dos_fs.h"
#include "platform/io_error.h"
#include "rules/host_queue.h"
#include "rules/next_diskette.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Small print under a drive choice: what stands behind the letter on this machine.
QLabel* driveNote(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont font = label->font();
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * 0.85);
        label->setFont(font);
    }
    label->setContentsMargins(24, 0, 0, 0);
    return label;
}

} // namespace

BatchPage::BatchPage(PageHost& host, QWidget* parent) : QDialog(parent), m_host(host) {
    setObjectName(QStringLiteral("TForm26"));
    setWindowTitle(tr("Batch Diskette Update"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_updateAddress = new QCheckBox(tr("Update Client IP Address"), this);
    m_updateAddress->setObjectName(QStringLiteral("CheckBox1"));
    m_updateAddress->setChecked(true);
    m_addressLabel = new QLabel(tr("Starting Client IP Address:"), this);
    m_addressLabel->setObjectName(QStringLiteral("Label1"));
    m_address = new AddressEdit(this);
    m_address->setObjectName(QStringLiteral("Edit1"));
    m_address->setValue(QStringLiteral("  0.  0.  0.  0"));
    m_addressLabel->setBuddy(m_address);

    m_updateName = new QCheckBox(tr("Update Client Name"), this);
    m_updateName->setObjectName(QStringLiteral("CheckBox2"));
    m_updateName->setChecked(true);
    m_nameLabel = new QLabel(tr("Starting Client Name:"), this);
    m_nameLabel->setObjectName(QStringLiteral("Label2"));
    m_name = new QLineEdit(QStringLiteral("Not Specified"), this);
    m_name->setObjectName(QStringLiteral("Edit3"));
    m_nameLabel->setBuddy(m_name);
    m_name->installEventFilter(this);

    auto* fields = new QGridLayout;
    fields->setColumnMinimumWidth(0, 20);
    fields->addWidget(m_updateAddress, 0, 0, 1, 3);
    fields->addWidget(m_addressLabel, 1, 1);
    fields->addWidget(m_address, 1, 2);
    fields->addWidget(m_updateName, 2, 0, 1, 3);
    fields->addWidget(m_nameLabel, 3, 1);
    fields->addWidget(m_name, 3, 2);
    fields->setColumnStretch(2, 1);

    auto* driveBox = new QGroupBox(this);
    driveBox->setObjectName(QStringLiteral("GroupBox1"));
    m_driveA = new QRadioButton(tr("Diskette is in drive A:"), driveBox);
    m_driveA->setObjectName(QStringLiteral("RadioButton1"));
    m_driveA->setChecked(true);
    m_driveB = new QRadioButton(tr("Diskette is in drive B:"), driveBox);
    m_driveB->setObjectName(QStringLiteral("RadioButton2"));
    const DriveTable drives = m_host.drives();
    auto* driveLayout = new QVBoxLayout(driveBox);
    driveLayout->addWidget(m_driveA);
    driveLayout->addWidget(driveNote(QStringLiteral("DriveALabel"), drives.describe(u'A'), driveBox));
    driveLayout->addWidget(m_driveB);
    driveLayout->addWidget(driveNote(QStringLiteral("DriveBLabel"), drives.describe(u'B'), driveBox));

    // Never shown. The name's copy is kept as it always was; the update reads the diskette's lines
    // itself, so the line buffer stays empty.
    m_nameCopy = new QLineEdit(this);
    m_nameCopy->setObjectName(QStringLiteral("Edit2"));
    m_nameCopy->hide();
    m_lineBuffer = new QListWidget(this);
    m_lineBuffer->setObjectName(QStringLiteral("ListBox1"));
    m_lineBuffer->hide();

    m_go = new QPushButton(tr("&GO >"), this);
    m_go->setObjectName(QStringLiteral("Button2"));
    m_go->setDefault(true);
    m_cancel = new QPushButton(tr("&Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("Button3"));
    m_cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_go);
    buttons->addSpacing(12);
    buttons->addWidget(m_cancel);

    m_hostLine = new QLabel(this);
    m_hostLine->setObjectName(QStringLiteral("HostLine"));
    m_hostLine->setTextFormat(Qt::PlainText);
    m_hostLine->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_hostLine);
    layout->addSpacing(8);
    layout->addWidget(driveBox);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(m_updateAddress, &QCheckBox::toggled, this, &BatchPage::syncAddressUpdate);
    connect(m_updateName, &QCheckBox::toggled, this, &BatchPage::syncNameUpdate);
    connect(m_go, &QPushButton::clicked, this, &BatchPage::runUpdate);
    connect(m_cancel, &QPushButton::clicked, this, &BatchPage::cancel);
    showNextHost();
}

void BatchPage::showNextHost() {
    const HostQueue& hosts = m_host.hosts();
    m_hostLine->setText(hosts.line());
    m_hostLine->setVisible(hosts.active());
    if (const std::optional<Host> next = hosts.current()) {
        m_address->setValue(next->addressField());
        m_name->setText(next->name);
    }
}

void BatchPage::syncAddressUpdate() {
    m_address->setEnabled(m_updateAddress->isChecked());
    m_addressLabel->setEnabled(m_updateAddress->isChecked());
}

void BatchPage::syncNameUpdate() {
    m_name->setEnabled(m_updateName->isChecked());
    m_nameLabel->setEnabled(m_updateName->isChecked());
}

void BatchPage::runUpdate() {
    BatchUpdate::Fields fields;
    fields.updateAddress = m_updateAddress->isChecked();
    fields.address = m_address->value();
    fields.updateName = m_updateName->isChecked();
    fields.name = m_name->text();
    fields.drive = m_driveA->isChecked() ? QLatin1Char('A') : QLatin1Char('B');

    Dialogs& dialogs = m_host.dialogs();
    try {
        // The drive table is read for each run: it may have been edited while the page was open.
        DosFs fs(m_host.drives());
        BatchUpdate batch(fs, dialogs);
        // The first diskette is behind the drive already; an image or a folder cannot be swapped
        // for the next one, so its next one is asked for (Cancel ends the batch).
        batch.diskettePlaced = [&](int diskette) {
            if (diskette == 1 || !NextDiskette::mustAsk(fs.drives(), fields.drive))
                return true;
            const QString next = NextDiskette::ask(dialogs, fs.drives(), fields.drive, tr("Next Diskette"),
                                                   QStringLiteral("-%1").arg(diskette));
            if (next.isEmpty())
                return false;
            fs.mapDrive(fields.drive, next);
            return true;
        };
        HostQueue& hosts = m_host.hosts();
        if (hosts.active()) {
            // Each diskette gets the next host of the list; an updated diskette is the host's.
            batch.given = [&hosts](int) -> std::optional<BatchUpdate::Given> {
                const std::optional<Host> next = hosts.current();
                if (!next)
                    return std::nullopt;
                return BatchUpdate::Given{next->addressField(), next->name, next->maskField()};
            };
            batch.updated = [&hosts](int, const QString&, const QString&) {
                hosts.advance();
            };
        }
        batch.go(fields);
    } catch (const IoError& e) {
        dialogs.message(e.message(), Dialogs::Icon::Error, Dialogs::Buttons::Ok, 0);
    } catch (const std::exception& e) {
        dialogs.message(QString::fromStdString(e.what()), Dialogs::Icon::Error, Dialogs::Buttons::Ok, 0);
    }
    // The fields hold what the next diskette is to get, however the run ended.
    m_address->setValue(fields.address);
    m_name->setText(fields.name);
    showNextHost();
}

void BatchPage::cancel() {
    reject();
}

void BatchPage::showEvent(QShowEvent* event) {
    fitWindowToContent(this, QSize(440, 0));
    QDialog::showEvent(event);
}

void BatchPage::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        m_host.help().showContext(HelpContext);
        return;
    }
    QDialog::keyPressEvent(event);
}

bool BatchPage::eventFilter(QObject* watched, QEvent* event) {
    // Leaving the name field copies it, changed or not.
    if (watched == m_name && event->type() == QEvent::FocusOut)
        m_nameCopy->setText(m_name->text());
    return QDialog::eventFilter(watched, event);
}
