#pragma once

#include "gui/pages/wizard_page.h"

#include <initializer_list>

class AddressEdit;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTabWidget;

// Post-configuration page: the settings the imaged workstation takes after imaging (address, mask,
// computer name, workgroup or domain, login name), each either kept from the image or set here.
class PostConfigurationPage : public WizardPage {
    Q_OBJECT
public:
    explicit PostConfigurationPage(PageHost& host, QWidget* parent = nullptr);

    // Numbers the computer name when "Auto Assign" is selected.
    void autoAssignName();

public Q_SLOTS:
    void back() override;
    void next() override;

protected:
    void showPage() override;
    bool checkNext() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A rule of the page over values (PostConfigurationRules); nullptr for none.
    using Rule = void (*)(BuildSettings&);
    // Runs the rule on the page's values, puts them back, then brings the controls in line.
    void runRule(Rule rule);
    // What is enabled, shown and labelled follows from the choices alone.
    void syncControls();

    void buildAddressTab(QTabWidget* tabs);
    void buildMaskTab(QTabWidget* tabs);
    void buildNameTab(QTabWidget* tabs);
    void buildWorkgroupTab(QTabWidget* tabs);
    void buildLoginTab(QTabWidget* tabs);
    QRadioButton* radio(const char* name, const QString& caption, QWidget* group);
    // Each button of the group runs the rule when it becomes selected.
    void onSelect(std::initializer_list<QRadioButton*> group, Rule rule);

    QRadioButton *m_postConfigure, *m_leaveImage;
    QTabWidget* m_tabs;
    QRadioButton *m_ipSet, *m_ipSame, *m_ipIncrement, *m_ipMulticast, *m_ipDhcp, *m_ipFixed;
    AddressEdit* m_ip;
    QRadioButton *m_maskSet, *m_maskSame;
    AddressEdit* m_mask;
    QCheckBox* m_maskMulticast;
    QRadioButton *m_nameSet, *m_nameSame, *m_nameIncrement, *m_nameMac, *m_nameMulticast, *m_nameFixed;
    QLineEdit* m_name;
    QRadioButton *m_groupWorkgroup, *m_groupSame, *m_groupDomain;
    QLabel* m_groupLabel;
    QLineEdit* m_group;
    QRadioButton *m_loginSet, *m_loginSame;
    QLabel* m_loginLabel;
    QLineEdit* m_loginName;
    QLineEdit* m_nameCopy;
};
