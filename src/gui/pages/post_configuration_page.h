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
class TForm99 : public WizardPage {
    Q_OBJECT
public:
    explicit TForm99(PageHost& host, QWidget* parent = nullptr);

    // Numbers the computer name when "Auto Assign" is selected.
    void AutoClientInc();

public Q_SLOTS:
    void BackClick() override;
    void NextClick() override;

protected:
    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The rules, one per group of choices; each runs when a button of its group becomes selected.
    void onOffRule();
    void addressSourceRule();
    void addressKindRule();
    void maskSourceRule();
    void maskCopyRule();
    void nameSourceRule();
    void nameKindRule();
    void workgroupRule();
    void loginRule();

    void buildAddressTab(QTabWidget* tabs);
    void buildMaskTab(QTabWidget* tabs);
    void buildNameTab(QTabWidget* tabs);
    void buildWorkgroupTab(QTabWidget* tabs);
    void buildLoginTab(QTabWidget* tabs);
    QRadioButton* radio(const char* name, const QString& caption, QWidget* group);
    void onSelect(std::initializer_list<QRadioButton*> group, void (TForm99::*rule)());
    // Selecting through here runs the group's rule, as a click would, when the button was not
    // selected yet.
    static void select(QRadioButton* button);
    static void clearSelection(std::initializer_list<QRadioButton*> group);
    // "Same as Image" everywhere means there is nothing to post-configure.
    void allSameRule();
    QString multicastValue(const char* control) const;

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
