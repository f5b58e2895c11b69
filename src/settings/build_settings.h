#pragma once

#include "settings/build_mode.h"
#include "settings/settings_table.h"

#include <QHash>
#include <QString>
#include <stdexcept>

// A name that is not a page value, or a value that is not in its kind's save form.
class SettingsError : public std::invalid_argument {
public:
    explicit SettingsError(const QString& message) : std::invalid_argument(message.toStdString()) {}
};

// A value snapshot of every page value plus BuildMode: what one build, save or summary reads.
// The desktop program collects one from its pages and applies one to them; the command line builds
// one from the defaults, a saved configuration and --set overrides.
class BuildSettings {
public:
    BuildSettings(); // every value at its start-up default, BuildMode 1

    BuildMode buildMode() const { return m_buildMode; }
    void setBuildMode(BuildMode mode) { m_buildMode = mode; }

    // Every accessor takes a value's name ("TForm6.Edit1") or its alias ("multicast.ip"), so a value
    // typed on a command line is found either way; "BuildMode" and "build.mode" name BuildMode.
    // The value in save form. Throws SettingsError for an unknown name.
    QString value(const QString& name) const;
    QString text(const QString& name) const { return value(name); }
    bool isChecked(const QString& name) const;
    int index(const QString& name) const;
    // The chosen item's text of an index value; empty when nothing (or nothing valid) is chosen.
    QString itemText(const QString& name) const;

    void setText(const QString& name, const QString& text);
    // Check: sets the state. Radio: true selects it and clears the others of its group; false only
    // clears it.
    void setChecked(const QString& name, bool checked);
    void setIndex(const QString& name, int index);
    // Sets a value from its save form (what --set and a load hand in); radio semantics as above.
    // Throws SettingsError naming the value when the text is not of its kind's form. An address
    // also takes "DHCP", "BOOTP", empty text (the blank field) or a plain "10.0.0.5", which is
    // stored as the masked field shows it (" 10.  0.  0.  5"). BuildMode takes 1 to 4.
    void setValue(const QString& name, const QString& saveForm);

    bool operator==(const BuildSettings& other) const = default;

private:
    const ValueSpec& entry(const QString& name) const;
    QHash<QString, QString> m_values;
    BuildMode m_buildMode = BuildMode::Multicast;
};
