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
    void showManualFields();

protected:
    void showPage() override;
    bool checkNext() override;

private:
    QRadioButton* m_pnpOn;
    QRadioButton* m_pnpOff;
    QLabel* m_manualNote;
    QLabel* m_irqLabel;
    QLabel* m_portLabel;
    QComboBox* m_irq;
    QComboBox* m_port;
};
