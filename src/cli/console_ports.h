#pragma once

#include "platform/dialogs.h"
#include "writers/build_view.h"

#include <QString>
#include <QStringList>
#include <cstdio>

// Message boxes on a terminal: every text goes to standard error as it stands (a carriage return
// as a line break), and each question takes the answer that lets the work go on, except "Create
// Another?", which is answered No (the command line builds as many diskettes as --count says).
class ConsoleDialogs : public Dialogs {
public:
    explicit ConsoleDialogs(std::FILE* out = stderr) : m_out(out) {}
    Button message(const QString& text, Icon icon, Buttons buttons, int helpContext) override;
    QString openFileName(const QString&, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString saveFileName(const QString&, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString disketteFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString directoryName(const QString&, const QString&) override { return {}; }

    // Prints a text the way a message box's text is printed.
    void print(const QString& text);

private:
    std::FILE* m_out;
};

// The build page's status line on a terminal: each new step text on a line of its own when
// verbose, nothing otherwise (the gauge and ticks have no use there).
class ConsoleBuildView : public BuildView {
public:
    explicit ConsoleBuildView(bool verbose, std::FILE* out = stderr) : m_verbose(verbose), m_out(out) {}
    void setStatus(const QString& text) override;
    void setGauge(int) override {}
    void setTickVisible(int, bool) override {}
    void setNetworkLabelVisible(bool) override {}

private:
    bool m_verbose;
    std::FILE* m_out;
    QString m_last;
};
