#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The kinds of page value. Save forms: text, DottedQuad and combo text as the text itself; check
// and radio "1" or "0"; index a decimal integer (-1 when nothing is chosen).
enum class ValueKind { Text, DottedQuad, Check, Radio, Index, ComboText };

// One page value, described once: the table drives the defaults, the save and load of
// configurations, the summary and the command line's --set.
struct ValueSpec {
    QString name;    // page class and control, exactly as the program names it: "TForm6.Edit1"
    QString alias;   // the short name a person may type instead: "multicast.ip"
    QString meaning; // one line in plain words: "client IP address"
    QString label;   // what a message calls it: "multicast client IP address" (the alias when none)
    ValueKind kind;
    QString defaultValue; // start-up value, in save form
    QString key;          // save key ("paramd"), empty when the value is not saved
    QString group;        // radio group, shared by the buttons of one group; empty otherwise
    QStringList items;    // item texts of an index or combo-text value
    QString loadDefault;  // value taken when a saved configuration lacks the key (save form)
    bool hidden = false;  // a control the user never sees
    int maxLength = 0;    // most characters the user can type into a text value; 0: no limit
};

namespace SettingsTable {
// Every page value, keyed values first in the order a save writes them, then the unsaved ones.
const QVector<ValueSpec>& values();
// nullptr when there is no such value. Names match exactly.
const ValueSpec* find(const QString& name);
// A value by its name or its alias; nullptr when it is neither. Both match exactly.
const ValueSpec* findNameOrAlias(const QString& nameOrAlias);
// The name a name or an alias stands for, BuildMode's among them; a null string when none.
QString resolve(const QString& nameOrAlias);
// The save keys in the order a save writes them and a load reads them, "desc" first and
// "paramh" (BuildMode) at its place among them.
const QStringList& saveKeys();
// The drive letters "A:" to "Z:", the items of the drive drop-downs.
const QStringList& driveLetters();
} // namespace SettingsTable
