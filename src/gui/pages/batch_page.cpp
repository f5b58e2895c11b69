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

    m_checkBox1 = new QCheckBox(tr("Update Client IP Address"), this);
    m_checkBox1->setObjectName(QStringLiteral("CheckBox1"));
    m_checkBox1->setChecked(true);
    m_label1 = new QLabel(tr("Starting Client IP Address:"), this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_edit1 = new AddressEdit(this);
    m_edit1->setObjectName(QStringLiteral("Edit1"));
    m_edit1->setValue(QStringLiteral("  0.  0.  0.  0"));
    m_label1->setBuddy(m_edit1);

    m_checkBox2 = new QCheckBox(tr("Update Client Name"), this);
    m_checkBox2->setObjectName(QStringLiteral("CheckBox2"));
    m_checkBox2->setChecked(true);
    m_label2 = new QLabel(tr("Starting Client Name:"), this);
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_edit3 = new QLineEdit(QStringLiteral("Not Specified"), this);
    m_edit3->setObjectName(QStringLiteral("Edit3"));
    m_label2->setBuddy(m_edit3);
    m_edit3->installEventFilter(this);

    auto* fields = new QGridLayout;
    fields->setColumnMinimumWidth(0, 20);
    fields->addWidget(m_checkBox1, 0, 0, 1, 3);
    fields->addWidget(m_label1, 1, 1);
    fields->addWidget(m_edit1, 1, 2);
    fields->addWidget(m_checkBox2, 2, 0, 1, 3);
    fields->addWidget(m_label2, 3, 1);
    fields->addWidget(m_edit3, 3, 2);
    fields->setColumnStretch(2, 1);

    auto* driveBox = new QGroupBox(this);
    driveBox->setObjectName(QStringLiteral("GroupBox1"));
    m_radioButton1 = new QRadioButton(tr("Diskette is in drive A:"), driveBox);
    m_radioButton1->setObjectName(QStringLiteral("RadioButton1"));
    m_radioButton1->setChecked(true);
    m_radioButton2 = new QRadioButton(tr("Diskette is in drive B:"), driveBox);
    m_radioButton2->setObjectName(QStringLiteral("RadioButton2"));
    const DriveTable drives = m_host.drives();
    auto* driveLayout = new QVBoxLayout(driveBox);
    driveLayout->addWidget(m_radioButton1);
    driveLayout->addWidget(driveNote(QStringLiteral("DriveALabel"), drives.describe(u'A'), driveBox));
    driveLayout->addWidget(m_radioButton2);
    driveLayout->addWidget(driveNote(QStringLiteral("DriveBLabel"), drives.describe(u'B'), driveBox));

    // Never shown. The name's copy is kept as it always was; the update reads the diskette's lines
    // itself, so the line buffer stays empty.
    m_edit2 = new QLineEdit(this);
    m_edit2->setObjectName(QStringLiteral("Edit2"));
    m_edit2->hide();
    m_listBox1 = new QListWidget(this);
    m_listBox1->setObjectName(QStringLiteral("ListBox1"));
    m_listBox1->hide();

    m_button2 = new QPushButton(tr("&GO >"), this);
    m_button2->setObjectName(QStringLiteral("Button2"));
    m_button2->setDefault(true);
    m_button3 = new QPushButton(tr("&Cancel"), this);
    m_button3->setObjectName(QStringLiteral("Button3"));
    m_button3->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_button2);
    buttons->addSpacing(12);
    buttons->addWidget(m_button3);

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

    connect(m_checkBox1, &QCheckBox::toggled, this, &BatchPage::CheckBox1Click);
    connect(m_checkBox2, &QCheckBox::toggled, this, &BatchPage::CheckBox2Click);
    connect(m_button2, &QPushButton::clicked, this, &BatchPage::Button2Click);
    connect(m_button3, &QPushButton::clicked, this, &BatchPage::Button3Click);
    showNextHost();
}

void BatchPage::showNextHost() {
    const HostQueue& hosts = m_host.hosts();
    m_hostLine->setText(hosts.line());
    m_hostLine->setVisible(hosts.active());
    if (const std::optional<Host> next = hosts.current()) {
        m_edit1->setValue(next->addressField());
        m_edit3->setText(next->name);
    }
}

void BatchPage::CheckBox1Click() {
    m_edit1->setEnabled(m_checkBox1->isChecked());
    m_label1->setEnabled(m_checkBox1->isChecked());
}

void BatchPage::CheckBox2Click() {
    m_edit3->setEnabled(m_checkBox2->isChecked());
    m_label2->setEnabled(m_checkBox2->isChecked());
}

void BatchPage::Button2Click() {
    BatchUpdate::Fields fields;
    fields.updateAddress = m_checkBox1->isChecked();
    fields.address = m_edit1->value();
    fields.updateName = m_checkBox2->isChecked();
    fields.name = m_edit3->text();
    fields.drive = m_radioButton1->isChecked() ? QLatin1Char('A') : QLatin1Char('B');

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
    m_edit1->setValue(fields.address);
    m_edit3->setText(fields.name);
    showNextHost();
}

void BatchPage::Button3Click() {
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
    if (watched == m_edit3 && event->type() == QEvent::FocusOut)
        m_edit2->setText(m_edit3->text());
    return QDialog::eventFilter(watched, event);
}
