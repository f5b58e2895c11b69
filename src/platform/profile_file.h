#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>

class ProfileText;

// A write or erase that the file system refused. what() is "Unable to write to " + the full path.
class ProfileWriteError : public std::runtime_error {
public:
    explicit ProfileWriteError(const QString& path);
    QString path() const { return m_path; }

private:
    QString m_path;
};

// A section name, key or value that the file format cannot hold (a line break, a section name
// with "]", a key with "=" or starting with "[" or ";"): refused instead of written, since it would
// add lines to the file or be read back as something else.
class ProfileValueError : public std::runtime_error {
public:
    explicit ProfileValueError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// One private-profile (INI) file, read and written the way the Windows profile API does it, so
// that files written by either read the same in both. Holds only the path: every operation opens
// the file, and every write replaces it atomically.
class ProfileFile {
public:
    explicit ProfileFile(QString path);
    const QString& path() const { return m_path; }

    QString readString(const QString& section, const QString& key, const QString& defaultValue = {}) const;
    void writeString(const QString& section, const QString& key, const QString& value);
    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    void writeInteger(const QString& section, const QString& key, int value);
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;
    void writeBool(const QString& section, const QString& key, bool value);
    QStringList readSection(const QString& section) const;
    void eraseSection(const QString& section);
    void deleteKey(const QString& section, const QString& key); // a refusal is ignored

    // Test seam: called with the temporary file just before it replaces the real one; throwing
    // from it simulates a failure at the last moment (a full disk, a crash).
    using CommitHook = void (*)(const QString& tempPath);
    static void setCommitHookForTesting(CommitHook hook);

private:
    QString fullPath() const;
    QString checkedSection(const QString& section) const;
    QString checkedKey(const QString& section, const QString& key) const;
    void checkEncodable(const ProfileText& text, const QString& section, const QString& key) const;
    [[noreturn]] void refuse(const QString& what, QStringView why) const;

    QString m_path;
};
