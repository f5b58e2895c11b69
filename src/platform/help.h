#pragma once

#include <QString>

// The help window and the user's web browser, as the pages ask for them. Tests record the calls.
class Help {
public:
    virtual ~Help() = default;
    virtual void showContext(int helpContext) = 0;   // F1 on a form, the help button of a message box
    virtual void showTopic(const QString& name) = 0; // "IDH_Welcome" and the other named topics
    virtual void openUrl(const QString& url) = 0;
};
