#include "gui/pages/microsoft_standalone_page.h"

#include "gui/pages/control_binding.h"
#include "gui/pages/page_host.h"
#include "gui/widgets/address_edit.h"
#include "rules/choice_rules.h"
#include "rules/host_queue.h"
#include "settings/build_settings.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const AddressPage& kPage = AddressPages::MicrosoftStandalone;

// Captions in tab order (MicrosoftStandalonePage::Tab).
const QStringList& tabCaptions() {
    static const QStringList captions{QStringLiteral("IP Address / Sub Net Mask"),
                                      QStringLiteral("Server Drive"), QStringLiteral("Computer Name"),
                                      QStringLiteral("Workgroup / Domain"), QStringLiteral("Login Name")};
    return captions;
}

QLabel* plainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QLineEdit* textEdit(QLatin1String value, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(ControlBinding::controlName(value));
    edit->setText(BuildSettings().text(value));
    return edit;
}

AddressEdit* addressEdit(QLatin1String value, QWidget* parent) {
    auto* edit = new AddressEdit(parent);
    edit->setObjectName(ControlBinding::controlName(value));
    edit->setValue(BuildSettings().text(value));
    return edit;
}

QVBoxLayout* addTab(QTabWidget* tabs, int index) {
    auto* tab = new QWidget(tabs);
    auto* layout = new QVBoxLayout(tab);
    tabs->addTab(tab, tabCaptions().at(index));
    return layout;
}

} // namespace

MicrosoftStandalonePage::MicrosoftStandalonePage(PageHost& host, QWidget* parent)
    : WizardPage(host, PageId::MicrosoftStandalone, parent) {
    auto* heading = plainLabel(
        tr("You must now specify the unique client boot disk information for Microsoft standalone mode."),
        this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    body()->addWidget(heading);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    buildAddressTab();
    buildServerTab();
    buildNameTab();
    buildWorkgroupTab();
    buildLoginTab();
    // The address first: it is what changes from one diskette to the next.
    m_tabs->setCurrentIndex(AddressTab);
    body()->addWidget(m_tabs, 1);
    m_hostLine = plainLabel(QString(), this);
    m_hostLine->setObjectName(QStringLiteral("HostLine"));
    m_hostLine->hide();
    body()->addWidget(m_hostLine);

    // Start-up choices before the rules are connected, so that setting them runs no rule.
    const BuildSettings defaults;
    for (QRadioButton* b : findChildren<QRadioButton*>())
        b->setChecked(defaults.isChecked(objectName() + QLatin1Char('.') + b->objectName()));
    m_groupLabel->setText(tr("Workgroup Name"));

    onSelect({m_ipIncrement, m_ipDhcp, m_ipFixed}, &MicrosoftStandalonePage::addressKindRule);
    onSelect({m_nameIncrement, m_nameFixed}, &MicrosoftStandalonePage::nameKindRule);
    onSelect({m_groupWorkgroup, m_groupDomain}, &MicrosoftStandalonePage::workgroupRule);
    watchHostLine(kPage, m_hostLine, {m_ip, m_mask, m_name});
}

void MicrosoftStandalonePage::buildAddressTab() {
    QVBoxLayout* tab = addTab(m_tabs, AddressTab);
    QWidget* page = tab->parentWidget();
    auto* grid = new QGridLayout;
    m_ip = addressEdit(PageValue::MicrosoftIp, page);
    m_mask = addressEdit(PageValue::MicrosoftMask, page);
    auto* addressLabel = plainLabel(tr("IP Address"), page);
    addressLabel->setBuddy(m_ip);
    auto* maskLabel = plainLabel(tr("Sub Net Mask"), page);
    maskLabel->setBuddy(m_mask);
    grid->addWidget(addressLabel, 0, 0);
    grid->addWidget(m_ip, 0, 1, Qt::AlignLeft);
    grid->addWidget(maskLabel, 1, 0);
    grid->addWidget(m_mask, 1, 1, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    tab->addLayout(grid);
    m_ipIncrement = radio("RadioButton13", tr("Auto-Increment"), page);
    m_ipDhcp = radio("RadioButton16", tr("NT-DHCP"), page);
    m_ipFixed = radio("RadioButton21", tr("Use as Entered"), page);
    for (QRadioButton* b : {m_ipIncrement, m_ipDhcp, m_ipFixed})
        tab->addWidget(b);
    tab->addStretch(1);
}

void MicrosoftStandalonePage::buildServerTab() {
    QVBoxLayout* tab = addTab(m_tabs, ServerDriveTab);
    QWidget* page = tab->parentWidget();
    m_serverDrive = new QComboBox(page);
    m_serverDrive->setObjectName(QStringLiteral("ComboBox3"));
    if (const ValueSpec* entry = SettingsTable::find(PageValue::MicrosoftServerDrive))
        m_serverDrive->addItems(entry->items);
    m_serverDrive->setCurrentIndex(BuildSettings().index(PageValue::MicrosoftServerDrive));
    m_serverShare = textEdit(PageValue::MicrosoftServerShare, page);
    auto* grid = new QGridLayout;
    auto* driveLabel = plainLabel(tr("Drive letter"), page);
    driveLabel->setBuddy(m_serverDrive);
    auto* shareLabel = plainLabel(tr("Server share (\\\\server\\share)"), page);
    shareLabel->setBuddy(m_serverShare);
    grid->addWidget(driveLabel, 0, 0);
    grid->addWidget(shareLabel, 0, 1);
    grid->addWidget(m_serverDrive, 1, 0);
    grid->addWidget(m_serverShare, 1, 1);
    grid->setColumnStretch(1, 1);
    tab->addLayout(grid);
    tab->addStretch(1);
}

void MicrosoftStandalonePage::buildNameTab() {
    QVBoxLayout* tab = addTab(m_tabs, ComputerNameTab);
    QWidget* page = tab->parentWidget();
    m_name = textEdit(PageValue::MicrosoftName, page);
    m_name->setAccessibleName(tr("Computer Name"));
    tab->addWidget(m_name);
    m_nameIncrement = radio("RadioButton17", tr("Auto Assign"), page);
    m_nameFixed = radio("RadioButton20", tr("Use as Entered "), page);
    tab->addWidget(m_nameIncrement);
    tab->addWidget(m_nameFixed);
    tab->addStretch(1);
}

void MicrosoftStandalonePage::buildWorkgroupTab() {
    QVBoxLayout* tab = addTab(m_tabs, WorkgroupTab);
    QWidget* page = tab->parentWidget();
    m_groupWorkgroup = radio("RadioButton9", tr("Login Workgroup"), page);
    m_groupDomain = radio("RadioButton11", tr("Login Domain"), page);
    tab->addWidget(m_groupWorkgroup);
    tab->addWidget(m_groupDomain);
    m_groupLabel = plainLabel(QString(), page);
    m_groupLabel->setObjectName(QStringLiteral("Label1"));
    m_group = textEdit(PageValue::MicrosoftGroup, page);
    m_groupLabel->setBuddy(m_group);
    tab->addWidget(m_groupLabel);
    tab->addWidget(m_group);
    tab->addStretch(1);
}

void MicrosoftStandalonePage::buildLoginTab() {
    QVBoxLayout* tab = addTab(m_tabs, LoginNameTab);
    QWidget* page = tab->parentWidget();
    m_loginName = textEdit(PageValue::MicrosoftLoginName, page);
    auto* label = plainLabel(tr("Login Name"), page);
    label->setBuddy(m_loginName);
    tab->addWidget(label);
    tab->addWidget(m_loginName);
    tab->addStretch(1);
}

QRadioButton* MicrosoftStandalonePage::radio(const char* name, const QString& caption, QWidget* parent) {
    // Each tab holds one group of choices, so the tab page is the group.
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

void MicrosoftStandalonePage::onSelect(std::initializer_list<QRadioButton*> group,
                                       void (MicrosoftStandalonePage::*rule)()) {
    for (QRadioButton* button : group) {
        connect(button, &QRadioButton::toggled, this, [this, rule](bool on) {
            if (on)
                (this->*rule)();
        });
    }
}

void MicrosoftStandalonePage::showTab(int index) {
    if (index >= 0 && index < m_tabs->count())
        m_tabs->setCurrentIndex(index);
}

int MicrosoftStandalonePage::tabIndex(const QString& caption) {
    return int(tabCaptions().indexOf(caption));
}

void MicrosoftStandalonePage::autoAssignName() {
    runChoice(PageValue::MicrosoftNameIncrement);
}

void MicrosoftStandalonePage::switchDhcp() {
    runChoice(PageValue::MicrosoftIpDhcp);
}

void MicrosoftStandalonePage::runChoice(QLatin1String value) {
    WizardPage::runChoice(value, m_remembered);
    // The fields take input exactly when they show an address, not DHCP's word.
    m_ip->setEnabled(m_ip->isMasked());
    m_mask->setEnabled(m_mask->isMasked());
}

void MicrosoftStandalonePage::addressKindRule() {
    runChoice(PageValue::MicrosoftIpDhcp);
}

void MicrosoftStandalonePage::nameKindRule() {
    runChoice(m_nameIncrement->isChecked() ? PageValue::MicrosoftNameIncrement
                                           : PageValue::MicrosoftNameFixed);
    m_name->setEnabled(true);
}

void MicrosoftStandalonePage::workgroupRule() {
    m_group->setEnabled(true);
    m_groupLabel->setEnabled(true);
    m_groupLabel->setText(m_groupWorkgroup->isChecked() ? tr("Workgroup Name") : tr("Domain Name"));
}

bool MicrosoftStandalonePage::checkNext() {
    if (refusedAfterLastHost(kPage, m_remembered, m_hostLine))
        return false;
    // A name taken from a host list is named by the list's file and line, where it must be mended.
    if (const std::optional<Host> next = host().hosts().current(); next && m_name->text() == next->name) {
        const QString problem = HostList::nameProblem(next->name, HostList::Names::ComputerName);
        if (!problem.isEmpty())
            return !refused(Refusal{
                QStringLiteral("%1:%2: %3").arg(host().hosts().list().file()).arg(next->line).arg(problem)});
    }
    const BuildSettings s = values();
    if (!refused(PageRules::microsoftStandaloneNext(s)))
        return true;
    // The refused field comes to the front, so that it can be mended at once.
    const bool addressesPass = !PageRules::addressInRange(s, PageValue::MicrosoftIp, QString()) &&
                               !PageRules::addressInRange(s, PageValue::MicrosoftMask, QString());
    m_tabs->setCurrentIndex(addressesPass ? ComputerNameTab : AddressTab);
    return false;
}

void MicrosoftStandalonePage::showPage() {
    workgroupRule();
    BuildSettings s = values();
    addressShowSteps(s, kPage, m_remembered, m_hostLine);
    setValues(s);
    // The fields take input exactly when they show an address, not DHCP's word.
    m_ip->setEnabled(m_ip->isMasked());
    m_mask->setEnabled(m_mask->isMasked());
}
