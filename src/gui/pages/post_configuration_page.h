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
    void AutoClientInc();

public Q_SLOTS:
    void BackClick() override;
    void NextClick() override;

protected:
    void FormShow() override;
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

    QRadioButton *m_rb1, *m_rb2;
    QTabWidget* m_pageControl1;
    QRadioButton *m_rb3, *m_rb4, *m_rb13, *m_rb15, *m_rb16, *m_rb21;
    AddressEdit* m_edit1;
    QRadioButton *m_rb5, *m_rb6;
    AddressEdit* m_edit2;
    QCheckBox* m_checkBox6;
    QRadioButton *m_rb7, *m_rb8, *m_rb17, *m_rb18, *m_rb19, *m_rb20;
    QLineEdit* m_edit3;
    QRadioButton *m_rb9, *m_rb10, *m_rb11;
    QLabel* m_label1;
    QLineEdit* m_edit5;
    QRadioButton *m_rb12, *m_rb14;
    QLabel* m_label2;
    QLineEdit* m_edit6;
    QLineEdit* m_edit4;
};
