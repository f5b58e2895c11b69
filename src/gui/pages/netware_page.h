#pragma once

#include "gui/pages/wizard_page.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// NetWare page: the NetWare client's frame type, an optional login and an optional drive mapping.
class NetWarePage : public WizardPage {
    Q_OBJECT
public:
    explicit NetWarePage(PageHost& host, QWidget* parent = nullptr);

    // The first line of the login hint: the login name quoted without its trailing blanks.
    static QString loginHint(const QString& loginName);

public Q_SLOTS:
    void NextClick() override;
    // The login controls show only with "Login to network.", the mapping controls only with
    // "Map network drive".
    void RadioButtonClick();

protected:
    void FormShow() override;
    bool checkNext() override;

private:
    QComboBox* m_comboBox1;
    QRadioButton *m_radioButton1, *m_radioButton2;
    QLabel *m_label6, *m_label3;
    QComboBox* m_comboBox2;
    QLineEdit* m_edit1;
    QRadioButton *m_radioButton3, *m_radioButton4;
    QLabel *m_label7, *m_label8;
    QComboBox* m_comboBox3;
    QLineEdit* m_edit2;
};
