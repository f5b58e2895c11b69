#pragma once

#include "platform/dialogs.h"

class Help;
class QWidget;

// Real message boxes and file dialogs. A box with a help context has a Help button (and F1) that
// opens the help window at that topic without closing the box.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(Help& help) : m_help(help) {}
    Button message(const QString& text, Icon icon, Buttons buttons, int helpContext) override;
    QString openFileName(const QString& title, const QString& filter, const QString& initialDir,
                         const QString& suggestedName) override;
    QString disketteFileName(const QString& title, const QString& initialDir,
                             const QString& suggestedName) override;
    QString directoryName(const QString& title, const QString& initialDir) override;
    QString saveFileName(const QString& title, const QString& filter, const QString& initialDir,
                         const QString& suggestedName) override;
    void offerAction(const QString& label, std::function<void()> action) override;

private:
    Help& m_help;
    QString m_offerLabel;
    std::function<void()> m_offer;
};
