#include "gui/pages/nic_selection_page.h"

#include "gui/pages/control_binding.h"
#include "gui/pages/page_host.h"
#include "gui/widgets/hint_dialog.h"
#include "platform/dos_fs.h"
#include "rules/diskette_copy_offer.h"
#include "rules/nic_catalogue.h"
#include "settings/build_settings.h"
#include "settings/preferences.h"

#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QLineEdit* valueEdit(QLatin1String value, QWidget* parent) {
    auto* edit = new QLineEdit(BuildSettings().text(value), parent);
    edit->setObjectName(ControlBinding::controlName(value));
    return edit;
}

} // namespace

NicSelectionPage::NicSelectionPage(PageHost& host, QWidget* parent)
    : WizardPage(host, PageId::NicSelection, parent) {
    auto* text = new QLabel(
        tr("Double-click on the Network Interface Card (NIC) that is in the destination client machine. If "
           "you "
           "have the driver disk for your NIC we suggest utilizing the Browse feature to select the proper "
           "driver.  If not, please select the NIC from the list below.  "),
        this);
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    body()->addWidget(text);

    // First in the tab order, so that showing the page does not count as entering Edit1.
    m_cards = new QListWidget(this);
    m_cards->setObjectName(QStringLiteral("ListBox1"));
    m_cards->setSortingEnabled(false);
    text->setBuddy(m_cards);
    body()->addWidget(m_cards, 1);

    auto* row = new QHBoxLayout;
    auto* selectionLabel = new QLabel(tr("Selection:"), this);
    row->addWidget(selectionLabel);
    m_selection = valueEdit(PageValue::NicSelection, this);
    selectionLabel->setBuddy(m_selection);
    row->addWidget(m_selection, 1);
    m_browse = new QPushButton(tr("B&rowse"), this);
    m_browse->setObjectName(QStringLiteral("Button4"));
    row->addWidget(m_browse);
    m_loadList = new QPushButton(tr("&Load List"), this);
    m_loadList->setObjectName(QStringLiteral("Button5"));
    m_loadList->hide();
    row->addWidget(m_loadList);
    body()->addLayout(row);

    // Values the build and the saved configurations read; the user never sees them.
    m_driver = valueEdit(PageValue::NicDriver, this);
    m_driver->hide();
    m_entry = valueEdit(PageValue::NicEntry, this);
    m_entry->hide();

    m_hintTimer = new QTimer(this);
    m_hintTimer->setObjectName(QStringLiteral("HintTimer"));
    m_hintTimer->setSingleShot(true);
    m_hintTimer->setInterval(200);

    connect(m_cards, &QListWidget::itemDoubleClicked, this, &NicSelectionPage::chooseCard);
    connect(m_browse, &QPushButton::clicked, this, &NicSelectionPage::chooseDriver);
    connect(m_hintTimer, &QTimer::timeout, this, &NicSelectionPage::showPageHint);
    m_selection->installEventFilter(this);
    m_cards->installEventFilter(this);
}

void NicSelectionPage::showPage() {
    BuildSettings s = values();
    PageRules::nicSelectionShow(s, host().programDir());
    setValues(s);
    // Refilled at each showing: the mode, and with it the catalogue, may have changed since.
    m_cards->clear();
    m_cards->addItems(NicCatalogue(host().programDir(), host().buildMode()).entries());
    if (host().buildMode() == BuildMode::Multicast)
        m_hintTimer->start();
}

void NicSelectionPage::hideEvent(QHideEvent* event) {
    // A hint about this page must not come up over the next one.
    if (!event->spontaneous())
        m_hintTimer->stop();
    WizardPage::hideEvent(event);
}

bool NicSelectionPage::eventFilter(QObject* watched, QEvent* event) {
    // Leaving the field after typing in it: what was typed is the driver. A Tab through it, or a
    // window or menu coming over the page, changes nothing.
    if (watched == m_selection && event->type() == QEvent::FocusOut && m_selection->isModified()) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            leaveSelection();
    }
    // Enter on a card is a double-click done from the keyboard.
    if (watched == m_cards && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_cards->currentItem()) {
            chooseCard(m_cards->currentItem());
            return true;
        }
    }
    return WizardPage::eventFilter(watched, event);
}

void NicSelectionPage::leaveSelection() {
    BuildSettings s = values();
    PageRules::nicSelectionLeaveSelection(s);
    setValues(s);
    m_selection->setModified(false);
}

QString NicSelectionPage::browseDriver() {
    const bool netware = host().buildMode() == BuildMode::NetWare;
    const QString filter =
        netware ? QStringLiteral("NIC NETWARE Drivers|*.COM|NIC DOS Drivers|*.DOS|All Files|*.*")
                : QStringLiteral("NIC DOS Drivers|*.DOS|All Files|*.*|NIC NETWARE Drivers|*.COM");
    // Where the driver chosen so far lies, else the driver folder of PCBW.INI.
    const DriveTable drives = host().drives();
    QString start = drives.hostFolder(values().text(PageValue::NicDriver));
    if (start.isEmpty())
        start = drives.hostFolder(Preferences(host().programDir()).nicDriverPath());
    return host().dialogs().openFileName(tr("Select NIC Driver"), filter, start,
                                         netware ? QStringLiteral("*.COM") : QStringLiteral("*.DOS"));
}

void NicSelectionPage::chooseCard(QListWidgetItem* item) {
    if (!item)
        return;
    const QString entry = item->text();
    // The driver directory is read afresh, so an edited PCBW.INI counts at once.
    m_driver->setText(NicCatalogue(host().programDir(), host().buildMode()).driverPath(entry));
    m_selection->setText(entry);
    m_entry->setText(entry);
    if (entry == NicCatalogue::otherHaveDisk()) {
        const QString chosen = browseDriver();
        if (!chosen.isEmpty()) {
            m_driver->setText(chosen);
            m_selection->setText(chosen);
        }
    }
}

void NicSelectionPage::chooseDriver() {
    // Cancel leaves the NIC chosen before as it was.
    const QString chosen = browseDriver();
    if (chosen.isEmpty())
        return;
    m_entry->setText(NicCatalogue::otherHaveDisk());
    m_driver->setText(chosen);
    m_selection->setText(chosen);
}

void NicSelectionPage::showPageHint() {
    // Stopped before the modal hint, whose event loop would otherwise let it fire again.
    m_hintTimer->stop();
    showHint(
        host().dialogs(), host().programDir(), 5,
        QStringLiteral("Multicast mode only works with Ethernet network cards."),
        QStringLiteral("Please note that Multicast will only work if your clients (workstations) are using "
                       "Ethernet. If you are using another type of NIC (Arcnet, Token Ring, etc.) then you "
                       "must use Standalone mode."),
        QString(), this);
}

bool NicSelectionPage::driverFound() {
    DosFs fs(host().drives());
    return !refused(PageRules::nicSelectionNext(values(), fs));
}

void NicSelectionPage::next() {
    if (!driverFound())
        return;
    // Only a path typed or browsed names a drive; a catalogue entry never does.
    if (DisketteCopyOffer::onDisketteDrive(m_selection->text())) {
        DosFs fs(host().drives());
        const DisketteCopyOffer::Outcome outcome = DisketteCopyOffer::run(
            host().dialogs(), fs,
            {QStringLiteral(
                 "You have specified a diskette drive. The NIC driver must reside on a fixed disk.  Would "
                 "you like to copy it now?"),
             m_selection->text(), QStringLiteral("NIC DOS Drivers|*.dos"), host().programDir(), QString()});
        if (!outcome.proceed)
            return;
        if (!outcome.target.isEmpty()) {
            m_selection->setText(outcome.target);
            m_driver->setText(outcome.target);
        }
    }
    goNext();
}
