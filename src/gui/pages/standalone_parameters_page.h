#pragma once

#include "gui/pages/wizard_page.h"

class QComboBox;
class QLabel;

// Standalone Parameters page: the server's network operating system, which fixes BuildMode and the
// route through the rest of the wizard.
class StandaloneParametersPage : public WizardPage {
    Q_OBJECT
public:
    explicit StandaloneParametersPage(PageHost& host, QWidget* parent = nullptr);

public Q_SLOTS:
    // Shows the two-diskette note for the floppy variant only.
    void nosChanged();

protected:
    void showPage() override;
    bool checkNext() override;

private:
    QComboBox* m_nos;
    QLabel* m_twoDiskettesNote;
};
