#pragma once

#include "gui/pages/wizard_page.h"

class QComboBox;
class QLabel;
class QRadioButton;

// NIC parameters page: Plug and Play, or the card's IRQ and base I/O address.
class NicParametersPage : public WizardPage {
    Q_OBJECT
public:
    explicit NicParametersPage(PageHost& host, QWidget* parent = nullptr);

public Q_SLOTS:
    void RadioButtonClick();

protected:
    void FormShow() override;
    bool checkNext() override;

private:
    QRadioButton* m_radioButton1;
    QRadioButton* m_radioButton2;
    QLabel* m_label1;
    QLabel* m_label2;
    QLabel* m_label3;
    QComboBox* m_comboBox1;
    QComboBox* m_comboBox2;
};
