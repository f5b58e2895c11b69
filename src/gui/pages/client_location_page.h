#pragma once

#include "gui/pages/wizard_page.h"

class QLineEdit;
class QPushButton;

// Client location page: where the Pellacore client program lies on the fixed disk.
class ClientLocationPage : public WizardPage {
    Q_OBJECT
public:
    explicit ClientLocationPage(PageHost& host, QWidget* parent = nullptr);

public Q_SLOTS:
    void chooseClientProgram();
    void next() override;

protected:
    void showPage() override;

private:
    // The checks that keep the page open, in order; false when one of them showed its message.
    bool locationFound();
    void storeLocation();

    QLineEdit* m_clientProgram;
    QPushButton* m_browse;
};
