#pragma once

#include "gui/pages/wizard_page.h"

class QLineEdit;

// Save Configuration page: stores the wizard's values under a description; reached from the
// summary page, and both of its buttons lead back there.
class SaveConfigurationPage : public WizardPage {
    Q_OBJECT
public:
    explicit SaveConfigurationPage(PageHost& host, QWidget* parent = nullptr);

    QPushButton* saveButton() const { return nextButton(); }

public Q_SLOTS:
    // "&Save" sits where the wizard's Next would.
    void next() override;
    void cancel() override;
    void back() override;

protected:
    void showPage() override;

private:
    // True when the configuration was written; otherwise one message has been shown.
    bool save();

    QLineEdit* m_description;
};
