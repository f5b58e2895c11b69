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

PostConfigurationPage::PostConfigurationPage(PageHost& host, QWidget* parent) : WizardPage(host, PageId::PostConfiguration, parent) {
    QWidget* onOff = buttonGroup(this, body());
    m_rb1 = radio("RadioButton1", tr("Post configure the workstation (Windows 95 images only)"), onOff);
    m_rb2 = radio("RadioButton2", tr("Do not post configure the workstation (leave image as is)"), onOff);

    m_pageControl1 = new QTabWidget(this);
    m_pageControl1->setObjectName(QStringLiteral("PageControl1"));
    buildAddressTab(m_pageControl1);
    buildMaskTab(m_pageControl1);
    buildNameTab(m_pageControl1);
    buildWorkgroupTab(m_pageControl1);
    buildLoginTab(m_pageControl1);
    m_pageControl1->setCurrentIndex(0);
    m_pageControl1->setVisible(false);
    body()->addWidget(m_pageControl1);
    body()->addStretch(1);

    // Saved with a configuration, never shown.
    m_edit4 = new QLineEdit(this);
    m_edit4->setObjectName(QStringLiteral("Edit4"));
    m_edit4->setVisible(false);
    m_edit4->setEnabled(false);

    // Start-up values before the rules are connected, so that setting them runs no rule.
    const BuildSettings defaults;
    const QString prefix = objectName() + QLatin1Char('.');
    for (QRadioButton* b : findChildren<QRadioButton*>())
        b->setChecked(defaults.isChecked(prefix + b->objectName()));
    m_checkBox6->setChecked(defaults.isChecked(prefix + m_checkBox6->objectName()));
    m_edit1->setValue(defaults.text(kPage.addressField));
    m_edit2->setValue(defaults.text(kPage.maskField));
    m_edit3->setText(defaults.text(kPage.nameField));
    m_edit5->setText(defaults.text(prefix + QStringLiteral("Edit5")));
    m_edit6->setText(defaults.text(prefix + QStringLiteral("Edit6")));
    m_edit4->setText(QStringLiteral("CLIENT"));
    m_label1->setText(tr("Workgroup Name"));
    // As "Same as Image" leaves them until the page is shown.
    enableAll({m_rb13, m_rb15, m_rb16, m_rb21, m_edit1, m_checkBox6, m_edit2, m_rb17, m_rb18, m_rb19, m_rb20,
               m_edit3, m_label1, m_edit5, m_label2, m_edit6},
              false);

    onSelect({m_rb1, m_rb2}, nullptr);
    onSelect({m_rb3, m_rb4}, PostConfigurationRules::addressSource);
    onSelect({m_rb13, m_rb15, m_rb16, m_rb21}, PostConfigurationRules::addressKind);
    onSelect({m_rb5, m_rb6}, PostConfigurationRules::maskSource);
    connect(m_checkBox6, &QCheckBox::toggled, this, [this] { runRule(PostConfigurationRules::maskCopy); });
    onSelect({m_rb7, m_rb8}, PostConfigurationRules::nameSource);
    onSelect({m_rb17, m_rb18, m_rb19, m_rb20}, PostConfigurationRules::nameKind);
    onSelect({m_rb9, m_rb10, m_rb11}, PostConfigurationRules::workgroup);
    onSelect({m_rb12, m_rb14}, PostConfigurationRules::login);
    for (QLineEdit* e : {m_edit3, m_edit5, m_edit6})
        e->installEventFilter(this);
}

void PostConfigurationPage::buildAddressTab(QTabWidget* tabs) {
    QVBoxLayout* tab = addTab(tabs, tr("IP Address"));
    QWidget* page = tab->parentWidget();
    QWidget* source = buttonGroup(page, tab);
    m_rb3 = radio("RadioButton3", tr("Set IP Address"), source);
    m_rb4 = radio("RadioButton4", tr("Same as Image"), source);
    m_edit1 = addressEdit("Edit1", page, tab);
    m_edit1->setAccessibleName(tr("IP Address"));
    QWidget* kind = buttonGroup(page, tab);
    m_rb21 = radio("RadioButton21", tr("Use as Entered"), kind);
    m_rb13 = radio("RadioButton13", tr("Auto-Increment"), kind);
    m_rb15 = radio("RadioButton15", tr("Same as Multicast Parameter"), kind);
    m_rb16 = radio("RadioButton16", tr("NT-DHCP"), kind);
    tab->addStretch(1);
}

void PostConfigurationPage::buildMaskTab(QTabWidget* tabs) {
    QVBoxLayout* tab = addTab(tabs, tr("Sub Net Mask"));
    QWidget* page = tab->parentWidget();
    QWidget* source = buttonGroup(page, tab);
    m_rb5 = radio("RadioButton5", tr("Set Sub Net Mask"), source);
    m_rb6 = radio("RadioButton6", tr("Same as Image"), source);
    m_edit2 = addressEdit("Edit2", page, tab);
    m_edit2->setAccessibleName(tr("Sub Net Mask"));
    m_checkBox6 = new QCheckBox(tr("Same as Multicast Parameter"), page);
    m_checkBox6->setObjectName(QStringLiteral("CheckBox6"));
    tab->addWidget(m_checkBox6);
    tab->addStretch(1);
}

void PostConfigurationPage::buildNameTab(QTabWidget* tabs) {
    QVBoxLayout* tab = addTab(tabs, tr("Computer Name"));
    QWidget* page = tab->parentWidget();
    QWidget* source = buttonGroup(page, tab);
    m_rb7 = radio("RadioButton7", tr("Set Computer Name"), source);
    m_rb8 = radio("RadioButton8", tr("Same as Image"), source);
    m_edit3 = lineEdit("Edit3", page, tab);
    m_edit3->setAccessibleName(tr("Computer Name"));
    QWidget* kind = buttonGroup(page, tab);
    m_rb20 = radio("RadioButton20", tr("Use as Entered "), kind);
    m_rb17 = radio("RadioButton17", tr("Auto Assign"), kind);
    m_rb18 = radio("RadioButton18", tr("Derive From NIC\u2019s MAC Address"), kind);
    m_rb19 = radio("RadioButton19", tr("Same as Multicast Parameter \"Client Name\""), kind);
    tab->addStretch(1);
}

void PostConfigurationPage::buildWorkgroupTab(QTabWidget* tabs) {
    QVBoxLayout* tab = addTab(tabs, tr("Workgroup / Domain"));
    QWidget* page = tab->parentWidget();
    QWidget* choice = buttonGroup(page, tab);
    m_rb9 = radio("RadioButton9", tr("Set Workgroup"), choice);
    m_rb11 = radio("RadioButton11", tr("Set Domain"), choice);
    m_rb10 = radio("RadioButton10", tr("Same as Image"), choice);
    m_label1 = new QLabel(page);
    m_label1->setObjectName(QStringLiteral("Label1"));
    tab->addWidget(m_label1);
    m_edit5 = lineEdit("Edit5", page, tab);
    m_label1->setBuddy(m_edit5);
    tab->addStretch(1);
}

void PostConfigurationPage::buildLoginTab(QTabWidget* tabs) {
    QVBoxLayout* tab = addTab(tabs, tr("Login Name"));
    QWidget* page = tab->parentWidget();
    QWidget* choice = buttonGroup(page, tab);
    m_rb12 = radio("RadioButton12", tr("Set Login Name"), choice);
    m_rb14 = radio("RadioButton14", tr("Same as Image"), choice);
    m_label2 = new QLabel(tr("Login Name"), page);
    m_label2->setObjectName(QStringLiteral("Label2"));
    tab->addWidget(m_label2);
    m_edit6 = lineEdit("Edit6", page, tab);
    m_label2->setBuddy(m_edit6);
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
    m_pageControl1->setVisible(m_rb1->isChecked());

    const bool setAddress = m_rb3->isChecked();
    enableAll({m_rb21, m_rb13, m_rb15, m_rb16}, setAddress);
    // Copied from the Multicast page or assigned by BOOTP, the address is not typed here.
    m_edit1->setEnabled(setAddress && !m_rb15->isChecked() && !m_rb16->isChecked());

    const bool setMask = m_rb5->isChecked();
    m_checkBox6->setEnabled(setMask);
    m_edit2->setEnabled(setMask && !m_checkBox6->isChecked());

    const bool setName = m_rb7->isChecked();
    enableAll({m_rb20, m_rb17, m_rb18, m_rb19}, setName);
    m_edit3->setEnabled(setName && !m_rb18->isChecked());

    const bool setGroup = m_rb9->isChecked() || m_rb11->isChecked();
    enableAll({m_edit5, m_label1}, setGroup);
    m_label1->setText(!setGroup            ? tr("Workgroup / Domain Name")
                      : m_rb9->isChecked() ? tr("Workgroup Name")
                                           : tr("Domain Name"));

    enableAll({m_edit6, m_label2}, m_rb12->isChecked());
}

void PostConfigurationPage::AutoClientInc() {
    if (m_rb17->isChecked()) {
        BuildSettings s = values();
        s.setText(kPage.nameField, AddressRoutines::AutoClientInc(s.text(kPage.nameField), kPage));
        setValues(s);
    }
}

void PostConfigurationPage::FormShow() {
    BuildSettings s = values();
    PostConfigurationRules::show(s, host().advanceDue().take(pageId()));
    setValues(s);
    syncControls();
}

bool PostConfigurationPage::checkNext() {
    return !refused(PageRules::postConfigurationNext(values()));
}

void PostConfigurationPage::BackClick() {
    runRule(PostConfigurationRules::leave);
    WizardPage::BackClick();
}

void PostConfigurationPage::NextClick() {
    runRule(PostConfigurationRules::leave);
    WizardPage::NextClick();
}

bool PostConfigurationPage::eventFilter(QObject* watched, QEvent* event) {
    // Whichever of the three fields is left, the copy is of the computer name.
    if (event->type() == QEvent::FocusOut && (watched == m_edit3 || watched == m_edit5 || watched == m_edit6))
        runRule(PostConfigurationRules::leaveField);
    return WizardPage::eventFilter(watched, event);
}
