#pragma once

#include <QList>
#include <QString>

// The help topics compiled into the program: each is one HTML page under :/help/, found by the
// context number of a window (F1) or by its name ("IDH_Welcome").
struct HelpTopic {
    QString file;  // "client_location.html"
    int context;   // 0 when the topic has no context number
    QString name;  // empty when the topic is opened by context only
    QString title; // as the topic list shows it
};

namespace HelpTopics {

const QList<HelpTopic>& all(); // in the order of the topic list
const HelpTopic& contents();   // the welcome page with the table of contents
// The topic for a context number or a name (names match without regard to case); the contents
// topic when none has it.
const HelpTopic& byContext(int context);
const HelpTopic& byName(const QString& name);
// "qrc:/help/client_location.html"
QString url(const HelpTopic& topic);

} // namespace HelpTopics
