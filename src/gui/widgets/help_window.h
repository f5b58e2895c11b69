#pragma once

#include "platform/help.h"

#include <QWidget>

class QListWidget;
class QTextBrowser;
class QToolButton;
class QUrl;
struct HelpTopic;

// The program's help: topics compiled into the program, shown in a window of its own that opens
// at a context number or a named topic, with a topic list and back and forward. Links move between
// topics; web addresses go to the user's browser.
class HelpWindow : public QWidget, public Help {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    void showContext(int helpContext) override;
    void showTopic(const QString& name) override;
    void openUrl(const QString& url) override;

    // The file of the topic on show ("client_location.html").
    QString currentTopicFile() const;
    QTextBrowser* browser() const { return m_browser; }

private:
    void open(const HelpTopic& topic);
    void syncTopicList(const QUrl& source);

    QTextBrowser* m_browser;
    QListWidget* m_topics;
    QToolButton* m_back;
    QToolButton* m_forward;
    QToolButton* m_contents;
};
