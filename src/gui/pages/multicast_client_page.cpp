#include "gui/pages/multicast_client_page.h"

#include "gui/pages/page_host.h"
#include "gui/widgets/address_edit.h"
#include "gui/widgets/hint_dialog.h"
#include "rules/choice_rules.h"
#include "settings/build_settings.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const AddressPage& kPage = AddressPages::MulticastClient;

const QString kSubNetHint = QStringLiteral("The Sub Net mask must be the same for all machines on the LAN.");

QLabel* wrappingLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

MulticastClientPage::MulticastClientPage(PageHost& host, QWidget* parent)
    : WizardPage(host, PageId::MulticastClient, parent) {
    auto* heading = wrappingLabel(
        tr("You must now specify the unique client boot disk information for Multicast mode."), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    body()->addWidget(heading);
    body()->addWidget(wrappingLabel(
        tr("The IP Address of all clients must  be unique and not match the Controller's IP Address."),
        this));

    auto* grid = new QGridLayout;
    m_ip = new AddressEdit(this);
    m_ip->setObjectName(QStringLiteral("Edit1"));
    m_ipIncrement = new QCheckBox(tr("Auto-Increment."), this);
    m_ipIncrement->setObjectName(QStringLiteral("CheckBox2"));
    m_ipDhcp = new QCheckBox(tr("NT- DHCP Auto Assign."), this);
    m_ipDhcp->setObjectName(QStringLiteral("CheckBox3"));
    auto* addressLabel = new QLabel(tr("Unique Client IP Address:"), this);
    addressLabel->setBuddy(m_ip);
    grid->addWidget(addressLabel, 0, 0);
    grid->addWidget(m_ip, 0, 1);
    grid->addWidget(m_ipIncrement, 0, 2);
    grid->addWidget(m_ipDhcp, 1, 2);

    m_mask = new AddressEdit(this);
    m_mask->setObjectName(QStringLiteral("Edit2"));
    m_mask->setToolTip(kSubNetHint);
    auto* maskLabel = new QLabel(tr("Client Sub Net Mask:"), this);
    maskLabel->setToolTip(kSubNetHint);
    maskLabel->setBuddy(m_mask);
    grid->addWidget(maskLabel, 1, 0);
    grid->addWidget(m_mask, 1, 1);
    body()->addLayout(grid);

    body()->addWidget(wrappingLabel(
        tr("Each client that the Pellacore Controller will be addressing must have a unique name."), this));
    auto* nameRow = new QGridLayout;
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("Edit3"));
    m_nameIncrement = new QCheckBox(tr("Auto Assign."), this);
    m_nameIncrement->setObjectName(QStringLiteral("CheckBox1"));
    auto* nameLabel = new QLabel(tr("Unique Client Name:"), this);
    nameLabel->setBuddy(m_name);
    nameRow->addWidget(nameLabel, 0, 0);
    nameRow->addWidget(m_name, 0, 1);
    nameRow->addWidget(m_nameIncrement, 0, 2);
    body()->addLayout(nameRow);
    m_hostLine = new QLabel(this);
    m_hostLine->setObjectName(QStringLiteral("HostLine"));
    m_hostLine->setTextFormat(Qt::PlainText);
    m_hostLine->hide();
    body()->addWidget(m_hostLine);
    body()->addStretch(1);

    // Saved with a configuration, never shown.
    m_nameCopy = new QLineEdit(this);
    m_nameCopy->setObjectName(QStringLiteral("Edit4"));
    m_nameCopy->setVisible(false);
    m_nameCopy->setEnabled(false);

    m_hintTimer = new QTimer(this);
    m_hintTimer->setObjectName(QStringLiteral("HintTimer"));
    m_hintTimer->setInterval(50);
    m_hintTimer->setSingleShot(true);

    const BuildSettings defaults;
    m_ip->setValue(defaults.text(kPage.addressField));
    m_mask->setValue(defaults.text(kPage.maskField));
    m_name->setText(defaults.text(kPage.nameField));
    m_nameCopy->setText(QStringLiteral("CLIENT"));
    m_nameIncrement->setChecked(defaults.isChecked(kPage.nameSwitch));
    m_ipIncrement->setChecked(defaults.isChecked(kPage.incrementSwitch));
    m_ipDhcp->setChecked(defaults.isChecked(kPage.dhcpSwitch));

    // The three values a diskette needs first, as they are read; their switches after them.
    const QList<QWidget*> order{m_ip, m_mask, m_name, m_ipIncrement, m_ipDhcp, m_nameIncrement};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_nameIncrement, &QCheckBox::clicked, this, &MulticastClientPage::autoAssignName);
    connect(m_ipDhcp, &QCheckBox::clicked, this, &MulticastClientPage::switchDhcp);
    connect(m_hintTimer, &QTimer::timeout, this, &MulticastClientPage::showPageHint);
    m_name->installEventFilter(this);
    watchHostLine(kPage, m_hostLine, {m_ip, m_mask, m_name});
}

void MulticastClientPage::autoAssignName() {
    runChoice(PageValue::MulticastNameIncrement);
}

void MulticastClientPage::switchDhcp() {
    runChoice(PageValue::MulticastIpDhcp);
}

void MulticastClientPage::runChoice(QLatin1String value) {
    WizardPage::runChoice(value, m_remembered);
    syncControls();
}

void MulticastClientPage::syncControls() {
    // The fields take input exactly when they show an address; Auto-Increment means nothing while
    // DHCP assigns the address.
    m_ip->setEnabled(m_ip->isMasked());
    m_mask->setEnabled(m_mask->isMasked());
    m_ipIncrement->setEnabled(!m_ipDhcp->isChecked());
}

void MulticastClientPage::showPage() {
    BuildSettings s = values();
    addressShowSteps(s, kPage, m_remembered, m_hostLine);
    setValues(s);
    syncControls();
    if (m_ip->isEnabled())
        m_ip->setFocus();
    m_hintTimer->start();
}

bool MulticastClientPage::checkNext() {
    if (refusedAfterLastHost(kPage, m_remembered, m_hostLine)) {
        syncControls();
        return false;
    }
    return !refused(PageRules::multicastClientNext(values()));
}

void MulticastClientPage::hideEvent(QHideEvent* event) {
    // The hint belongs over this page: once the user has moved on it would only get in the way.
    if (!event->spontaneous())
        m_hintTimer->stop();
    WizardPage::hideEvent(event);
}

bool MulticastClientPage::eventFilter(QObject* watched, QEvent* event) {
    // Leaving the name field copies it, changed or not.
    if (watched == m_name && event->type() == QEvent::FocusOut) {
        BuildSettings s = values();
        PageRules::multicastClientLeaveName(s);
        setValues(s);
    }
    return WizardPage::eventFilter(watched, event);
}

void MulticastClientPage::showPageHint() {
    m_hintTimer->stop();
    showHint(host().dialogs(), host().programDir(), 4, tr("Multicast client boot diskette operation."),
             tr("These parameters are only used during the Multicast.  They are not used for post-imaging "
                "customization of the workstation (you will be prompted for that next)."),
             QString(), this);
}
