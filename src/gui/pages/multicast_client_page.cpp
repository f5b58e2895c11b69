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

MulticastClientPage::MulticastClientPage(PageHost& host, QWidget* parent) : WizardPage(host, PageId::MulticastClient, parent) {
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
    m_edit1 = new AddressEdit(this);
    m_edit1->setObjectName(QStringLiteral("Edit1"));
    m_checkBox2 = new QCheckBox(tr("Auto-Increment."), this);
    m_checkBox2->setObjectName(QStringLiteral("CheckBox2"));
    m_checkBox3 = new QCheckBox(tr("NT- DHCP Auto Assign."), this);
    m_checkBox3->setObjectName(QStringLiteral("CheckBox3"));
    auto* addressLabel = new QLabel(tr("Unique Client IP Address:"), this);
    addressLabel->setBuddy(m_edit1);
    grid->addWidget(addressLabel, 0, 0);
    grid->addWidget(m_edit1, 0, 1);
    grid->addWidget(m_checkBox2, 0, 2);
    grid->addWidget(m_checkBox3, 1, 2);

    m_edit2 = new AddressEdit(this);
    m_edit2->setObjectName(QStringLiteral("Edit2"));
    m_edit2->setToolTip(kSubNetHint);
    auto* maskLabel = new QLabel(tr("Client Sub Net Mask:"), this);
    maskLabel->setToolTip(kSubNetHint);
    maskLabel->setBuddy(m_edit2);
    grid->addWidget(maskLabel, 1, 0);
    grid->addWidget(m_edit2, 1, 1);
    body()->addLayout(grid);

    body()->addWidget(wrappingLabel(
        tr("Each client that the Pellacore Controller will be addressing must have a unique name."), this));
    auto* nameRow = new QGridLayout;
    m_edit3 = new QLineEdit(this);
    m_edit3->setObjectName(QStringLiteral("Edit3"));
    m_checkBox1 = new QCheckBox(tr("Auto Assign."), this);
    m_checkBox1->setObjectName(QStringLiteral("CheckBox1"));
    auto* nameLabel = new QLabel(tr("Unique Client Name:"), this);
    nameLabel->setBuddy(m_edit3);
    nameRow->addWidget(nameLabel, 0, 0);
    nameRow->addWidget(m_edit3, 0, 1);
    nameRow->addWidget(m_checkBox1, 0, 2);
    body()->addLayout(nameRow);
    m_hostLine = new QLabel(this);
    m_hostLine->setObjectName(QStringLiteral("HostLine"));
    m_hostLine->setTextFormat(Qt::PlainText);
    m_hostLine->hide();
    body()->addWidget(m_hostLine);
    body()->addStretch(1);

    // Saved with a configuration, never shown.
    m_edit4 = new QLineEdit(this);
    m_edit4->setObjectName(QStringLiteral("Edit4"));
    m_edit4->setVisible(false);
    m_edit4->setEnabled(false);

    m_hintTimer = new QTimer(this);
    m_hintTimer->setObjectName(QStringLiteral("HintTimer"));
    m_hintTimer->setInterval(50);
    m_hintTimer->setSingleShot(true);

    const BuildSettings defaults;
    m_edit1->setValue(defaults.text(kPage.addressField));
    m_edit2->setValue(defaults.text(kPage.maskField));
    m_edit3->setText(defaults.text(kPage.nameField));
    m_edit4->setText(QStringLiteral("CLIENT"));
    m_checkBox1->setChecked(defaults.isChecked(kPage.nameSwitch));
    m_checkBox2->setChecked(defaults.isChecked(kPage.incrementSwitch));
    m_checkBox3->setChecked(defaults.isChecked(kPage.dhcpSwitch));

    // The three values a diskette needs first, as they are read; their switches after them.
    const QList<QWidget*> order{m_edit1, m_edit2, m_edit3, m_checkBox2, m_checkBox3, m_checkBox1};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_checkBox1, &QCheckBox::clicked, this, &MulticastClientPage::AutoClientInc);
    connect(m_checkBox3, &QCheckBox::clicked, this, &MulticastClientPage::DHCPCheck);
    connect(m_hintTimer, &QTimer::timeout, this, &MulticastClientPage::HintTimerTimer);
    m_edit3->installEventFilter(this);
    watchHostLine(kPage, m_hostLine, {m_edit1, m_edit2, m_edit3});
}

void MulticastClientPage::AutoClientInc() {
    runChoice(PageValue::MulticastNameIncrement);
}

void MulticastClientPage::DHCPCheck() {
    runChoice(PageValue::MulticastIpDhcp);
}

void MulticastClientPage::runChoice(QLatin1String value) {
    WizardPage::runChoice(value, m_remembered);
    syncControls();
}

void MulticastClientPage::syncControls() {
    // The fields take input exactly when they show an address; Auto-Increment means nothing while
    // DHCP assigns the address.
    m_edit1->setEnabled(m_edit1->isMasked());
    m_edit2->setEnabled(m_edit2->isMasked());
    m_checkBox2->setEnabled(!m_checkBox3->isChecked());
}

void MulticastClientPage::FormShow() {
    BuildSettings s = values();
    addressShowSteps(s, kPage, m_remembered, m_hostLine);
    setValues(s);
    syncControls();
    if (m_edit1->isEnabled())
        m_edit1->setFocus();
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
    if (watched == m_edit3 && event->type() == QEvent::FocusOut) {
        BuildSettings s = values();
        PageRules::multicastClientLeaveName(s);
        setValues(s);
    }
    return WizardPage::eventFilter(watched, event);
}

void MulticastClientPage::HintTimerTimer() {
    m_hintTimer->stop();
    showHint(host().dialogs(), host().programDir(), 4, tr("Multicast client boot diskette operation."),
             tr("These parameters are only used during the Multicast.  They are not used for post-imaging "
                "customization of the workstation (you will be prompted for that next)."),
             QString(), this);
}
