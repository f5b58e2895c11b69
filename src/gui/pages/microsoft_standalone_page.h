#pragma once

#include "gui/pages/wizard_page.h"
#include "rules/address_routines.h"

class AddressEdit;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTabWidget;

// Microsoft standalone page: what the Microsoft network client on the diskette needs (address and
// mask or DHCP, the server share, computer name, workgroup or domain, login name), on five tabs.
class MicrosoftStandalonePage : public WizardPage {
    Q_OBJECT
public:
    // The tabs in their order on the page.
    enum Tab { AddressTab, ServerDriveTab, ComputerNameTab, WorkgroupTab, LoginNameTab };

    explicit MicrosoftStandalonePage(PageHost& host, QWidget* parent = nullptr);

    // Brings a tab to the front (one of Tab); an index outside them changes nothing.
    void showTab(int index);
    // The tab whose caption is given ("Server Drive"), or -1.
    static int tabIndex(const QString& caption);

    // Numbers the computer name when "Auto Assign" is selected; an empty name counts as "CLIENT".
    void autoAssignName();
    // Puts both address fields into DHCP mode, or takes them out of it, as "NT-DHCP" says.
    void switchDhcp();

    // What the page keeps for switchDhcp (the values before the last switch or increment).
    const RememberedAddress& remembered() const { return m_remembered; }

protected:
    void showPage() override;
    bool checkNext() override;

private:
    // Runs the page's rule for a choice just made, over its values, and puts them back.
    void runChoice(QLatin1String value);
    // The rules of the three groups of choices; each runs when a button of its group becomes
    // selected.
    void addressKindRule();
    void nameKindRule();
    void workgroupRule();

    void buildAddressTab();
    void buildServerTab();
    void buildNameTab();
    void buildWorkgroupTab();
    void buildLoginTab();
    QRadioButton* radio(const char* name, const QString& caption, QWidget* parent);
    void onSelect(std::initializer_list<QRadioButton*> group, void (MicrosoftStandalonePage::*rule)());

    QTabWidget* m_tabs;
    AddressEdit *m_ip, *m_mask;
    QRadioButton *m_ipIncrement, *m_ipDhcp, *m_ipFixed;
    QComboBox* m_serverDrive;
    QLineEdit* m_serverShare;
    QLineEdit* m_name;
    QRadioButton *m_nameIncrement, *m_nameFixed;
    QRadioButton *m_groupWorkgroup, *m_groupDomain;
    QLabel* m_groupLabel;
    QLineEdit* m_group;
    QLineEdit* m_loginName;
    QLabel* m_hostLine; // which host of a loaded host list the page shows
    RememberedAddress m_remembered;
};
