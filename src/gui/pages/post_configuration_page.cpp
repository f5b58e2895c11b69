#include "gui/pages/post_configuration_page.h"

#include "gui/pages/page_host.h"
#include "gui/widgets/address_edit.h"
#include "rules/address_routines.h"
#include "rules/post_configuration_rules.h"
#include "rules/show_steps.h"
#include "settings/build_settings.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const AddressPage& kPage = AddressPages::PostConfiguration;

// Radio buttons exclude the others of their parent only, so every group of choices gets a parent
// of its own and the groups on one tab stay independent.
QWidget* buttonGroup(QWidget* parent, QBoxLayout* into) {
    auto* group = new QWidget(parent);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(0, 0, 0, 0);
    into->addWidget(group);
    return group;
}

QVBoxLayout* addTab(QTabWidget* tabs, const QString& caption) {
    auto* tab = new QWidget(tabs);
    auto* layout = new QVBoxLayout(tab);
    tabs->addTab(tab, caption);
    return layout;
}

QLineEdit* lineEdit(const char* name, QWidget* parent, QBoxLayout* into) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    into->addWidget(edit);
    return edit;
}

AddressEdit* addressEdit(const char* name, QWidget* parent, QBoxLayout* into) {
    auto* edit = new AddressEdit(parent);
    edit->setObjectName(QLatin1String(name));
    into->addWidget(edit, 0, Qt::AlignLeft);
    return edit;
}

void enableAll(std::initializer_list<QWidget*> widgets, bool enabled) {
    for (QWidget* w : widgets)
        w->setEnabled(enabled);
}

} // namespace

PostConfigurationPage::PostConfigurationPage(PageHost& host, QWidget* parent)
    : WizardPage(host, PageId::PostConfiguration, parent) {
    QWidget* onOff = buttonGroup(this, body());
    m_postConfigure =
        radio("RadioButton1", tr("Post configure the workstation (Windows 95 images only)"), onOff);
    m_leaveImage =
        radio("RadioButton2", tr("Do not post configure the workstation (leave image as is)"), onOff);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    buildAddressTab(m_tabs);
    buildMaskTab(m_tabs);
    buildNameTab(m_tabs);
    buildWorkgroupTab(m_tabs);
    buildLoginTab(m_tabs);
    m_tabs->setCurrentIndex(0);
    m_tabs->setVisible(false);
    body()->addWidget(m_tabs);
    body()->addStretch(1);

    // Saved with a configuration, never shown.
    m_nameCopy = new QLineEdit(this);
    m_nameCopy->setObjectName(QStringLiteral("Edit4"));
    m_nameCopy->setVisible(false);
    m_nameCopy->setEnabled(false);

    // Start-up values before the rules are connected, so that setting them runs no rule.
    const BuildSettings defaults;
    const QString prefix = objectName() + QLatin1Char('.');
    for (QRadioButton* b : findChildren<QRadioButton*>())
        b->setChecked(defaults.isChecked(prefix + b->objectName()));
    m_maskMulticast->setChecked(defaults.isChecked(prefix + m_maskMulticast->objectName()));
    m_ip->setValue(defaults.text(kPage.addressField));
    m_mask->setValue(defaults.text(kPage.maskField));
    m_name->setText(defaults.text(kPage.nameField));
    m_group->setText(defaults.text(prefix + QStringLiteral("Edit5")));
    m_loginName->setText(defaults.text(prefix + QStringLiteral("Edit6")));
    m_nameCopy->setText(QStringLiteral("CLIENT"));
    m_groupLabel->setText(tr("Workgroup Name"));
    // As "Same as Image" leaves them until the page is shown.
    enableAll({m_ipIncrement, m_ipMulticast, m_ipDhcp, m_ipFixed, m_ip, m_maskMulticast, m_mask,
               m_nameIncrement, m_nameMac, m_nameMulticast, m_nameFixed, m_name, m_groupLabel, m_group,
               m_loginLabel, m_loginName},
              false);

    onSelect({m_postConfigure, m_leaveImage}, nullptr);
    onSelect({m_ipSet, m_ipSame}, PostConfigurationRules::addressSource);
    onSelect({m_ipIncrement, m_ipMulticast, m_ipDhcp, m_ipFixed}, PostConfigurationRules::addressKind);
    onSelect({m_maskSet, m_maskSame}, PostConfigurationRules::maskSource);
    connect(m_maskMulticast, &QCheckBox::toggled, this,
            [this] { runRule(PostConfigurationRules::maskCopy); });
    onSelect({m_nameSet, m_nameSame}, PostConfigurationRules::nameSource);
    onSelect({m_nameIncrement, m_nameMac, m_nameMulticast, m_nameFixed}, PostConfigurationRules::nameKind);
    onSelect({m_groupWorkgroup, m_groupSame, m_groupDomain}, PostConfigurationRules::workgroup);
    onSelect({m_loginSet, m_loginSame}, PostConfigurationRules::login);
    for (QLineEdit* e : {m_name, m_group, m_loginName})
        e->installEventFilter(this);
}

void PostConfigurationPage::buildAddressTab(QTabWidget* tabs) {
    QVBoxLayout* tab = addTab(tabs, tr("IP Address"));
    QWidget* page = tab->parentWidget();
    QWidget* source = buttonGroup(page, tab);
    m_ipSet = radio("RadioButton3", tr("Set IP Address"), source);
    m_ipSame = radio("RadioButton4", tr("Same as Image"), source);
    m_ip = addressEdit("Edit1", page, tab);
    m_ip->setAccessibleName(tr("IP Address"));
    QWidget* kind = buttonGroup(page, tab);
    m_ipFixed = radio("RadioButton21", tr("Use as Entered"), kind);
    m_ipIncrement = radio("RadioButton13", tr("Auto-Increment"), kind);
    m_ipMulticast = radio("RadioButton15", tr("Same as Multicast Parameter"), kind);
    m_ipDhcp = radio("RadioButton16", tr("NT-DHCP"), kind);
    tab->addStretch(1);
}

void PostConfigurationPage::buildMaskTab(QTabWidget* tabs) {
    QVBoxLayout* tab = addTab(tabs, tr("Sub Net Mask"));
    QWidget* page = tab->parentWidget();
    QWidget* source = buttonGroup(page, tab);
    m_maskSet = radio("RadioButton5", tr("Set Sub Net Mask"), source);
    m_maskSame = radio("RadioButton6", tr("Same as Image"), source);
    m_mask = addressEdit("Edit2", page, tab);
    m_mask->setAccessibleName(tr("Sub Net Mask"));
    m_maskMulticast = new QCheckBox(tr("Same as Multicast Parameter"), page);
    m_maskMulticast->setObjectName(QStringLiteral("CheckBox6"));
    tab->addWidget(m_maskMulticast);
    tab->addStretch(1);
}

void PostConfigurationPage::buildNameTab(QTabWidget* tabs) {
    QVBoxLayout* tab = addTab(tabs, tr("Computer Name"));
    QWidget* page = tab->parentWidget();
    QWidget* source = buttonGroup(page, tab);
    m_nameSet = radio("RadioButton7", tr("Set Computer Name"), source);
    m_nameSame = radio("RadioButton8", tr("Same as Image"), source);
    m_name = lineEdit("Edit3", page, tab);
    m_name->setAccessibleName(tr("Computer Name"));
    QWidget* kind = buttonGroup(page, tab);
    m_nameFixed = radio("RadioButton20", tr("Use as Entered "), kind);
    m_nameIncrement = radio("RadioButton17", tr("Auto Assign"), kind);
    m_nameMac = radio("RadioButton18", tr("Derive From NIC\u2019s MAC Address"), kind);
    m_nameMulticast = radio("RadioButton19", tr("Same as Multicast Parameter \"Client Name\""), kind);
    tab->addStretch(1);
}

void PostConfigurationPage::buildWorkgroupTab(QTabWidget* tabs) {
    QVBoxLayout* tab = addTab(tabs, tr("Workgroup / Domain"));
    QWidget* page = tab->parentWidget();
    QWidget* choice = buttonGroup(page, tab);
    m_groupWorkgroup = radio("RadioButton9", tr("Set Workgroup"), choice);
    m_groupDomain = radio("RadioButton11", tr("Set Domain"), choice);
    m_groupSame = radio("RadioButton10", tr("Same as Image"), choice);
    m_groupLabel = new QLabel(page);
    m_groupLabel->setObjectName(QStringLiteral("Label1"));
    tab->addWidget(m_groupLabel);
    m_group = lineEdit("Edit5", page, tab);
    m_groupLabel->setBuddy(m_group);
    tab->addStretch(1);
}

void PostConfigurationPage::buildLoginTab(QTabWidget* tabs) {
    QVBoxLayout* tab = addTab(tabs, tr("Login Name"));
    QWidget* page = tab->parentWidget();
    QWidget* choice = buttonGroup(page, tab);
    m_loginSet = radio("RadioButton12", tr("Set Login Name"), choice);
    m_loginSame = radio("RadioButton14", tr("Same as Image"), choice);
    m_loginLabel = new QLabel(tr("Login Name"), page);
    m_loginLabel->setObjectName(QStringLiteral("Label2"));
    tab->addWidget(m_loginLabel);
    m_loginName = lineEdit("Edit6", page, tab);
    m_loginLabel->setBuddy(m_loginName);
    tab->addStretch(1);
}

QRadioButton* PostConfigurationPage::radio(const char* name, const QString& caption, QWidget* group) {
    auto* button = new QRadioButton(caption, group);
    button->setObjectName(QLatin1String(name));
    group->layout()->addWidget(button);
    return button;
}

void PostConfigurationPage::onSelect(std::initializer_list<QRadioButton*> group, Rule rule) {
    for (QRadioButton* button : group) {
        connect(button, &QRadioButton::toggled, this, [this, rule](bool on) {
            if (on)
                runRule(rule);
        });
    }
}

void PostConfigurationPage::runRule(Rule rule) {
    if (rule) {
        BuildSettings s = values();
        rule(s);
        setValues(s);
    }
    syncControls();
}

void PostConfigurationPage::syncControls() {
    m_tabs->setVisible(m_postConfigure->isChecked());

    const bool setAddress = m_ipSet->isChecked();
    enableAll({m_ipFixed, m_ipIncrement, m_ipMulticast, m_ipDhcp}, setAddress);
    // Copied from the Multicast page or assigned by BOOTP, the address is not typed here.
    m_ip->setEnabled(setAddress && !m_ipMulticast->isChecked() && !m_ipDhcp->isChecked());

    const bool setMask = m_maskSet->isChecked();
    m_maskMulticast->setEnabled(setMask);
    m_mask->setEnabled(setMask && !m_maskMulticast->isChecked());

    const bool setName = m_nameSet->isChecked();
    enableAll({m_nameFixed, m_nameIncrement, m_nameMac, m_nameMulticast}, setName);
    m_name->setEnabled(setName && !m_nameMac->isChecked());

    const bool setGroup = m_groupWorkgroup->isChecked() || m_groupDomain->isChecked();
    enableAll({m_group, m_groupLabel}, setGroup);
    m_groupLabel->setText(!setGroup                       ? tr("Workgroup / Domain Name")
                          : m_groupWorkgroup->isChecked() ? tr("Workgroup Name")
                                                          : tr("Domain Name"));

    enableAll({m_loginName, m_loginLabel}, m_loginSet->isChecked());
}

void PostConfigurationPage::autoAssignName() {
    if (m_nameIncrement->isChecked()) {
        BuildSettings s = values();
        s.setText(kPage.nameField, AddressRoutines::AutoClientInc(s.text(kPage.nameField), kPage));
        setValues(s);
    }
}

void PostConfigurationPage::showPage() {
    BuildSettings s = values();
    PostConfigurationRules::show(s, host().advanceDue().take(pageId()));
    setValues(s);
    syncControls();
}

bool PostConfigurationPage::checkNext() {
    return !refused(PageRules::postConfigurationNext(values()));
}

void PostConfigurationPage::back() {
    runRule(PostConfigurationRules::leave);
    WizardPage::back();
}

void PostConfigurationPage::next() {
    runRule(PostConfigurationRules::leave);
    WizardPage::next();
}

bool PostConfigurationPage::eventFilter(QObject* watched, QEvent* event) {
    // Whichever of the three fields is left, the copy is of the computer name.
    if (event->type() == QEvent::FocusOut &&
        (watched == m_name || watched == m_group || watched == m_loginName))
        runRule(PostConfigurationRules::leaveField);
    return WizardPage::eventFilter(watched, event);
}
