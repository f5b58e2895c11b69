#pragma once

#include "common/help.h"

#include <QWidget>

class QTextBrowser;

// The program's help: topics compiled into the program, shown in a window of its own that opens
// at a context number or a named topic. Web addresses go to the user's browser.
class HelpWindow : public QWidget, public Help {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    void showContext(int helpContext) override;
    void showTopic(const QString& name) override;
    void openUrl(const QString& url) override;

private:
    QTextBrowser* m_browser;
};
