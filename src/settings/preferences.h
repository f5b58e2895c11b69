#pragma once

#include <QString>

// PCBW.INI in the program directory: the five hint switches (section CONFIG) and the file locations
// (section LOCATIONS). Every read opens the file anew, so a change takes effect at once.
class Preferences {
public:
    explicit Preferences(const QString& programDir);
    QString path() const { return m_path; }

    static QString hintKey(int hint); // "ShowHint1" .. "ShowHint5"
    bool showHint(int hint) const;    // missing key or file: true
    void setShowHint(int hint, bool show);

    QString nicDriverPath() const; // as stored (builds append file names directly); missing: empty
    QString novellDriverPath() const;
    QString microsoftDriverPath() const;
    QString client() const; // last accepted client program; "XXX" when none
    void setClient(const QString& path);

private:
    QString m_path;
};
