#pragma once

#include "platform/profile_text.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <stdexcept>

// A section name, key or value that the file format cannot hold (a line break, a section name
// with "]", a key with "=" or starting with "[" or ";", a character the file's encoding lacks):
// refused instead of written, since it would add lines to the file or be read back as something
// else.
class ProfileValueError : public std::runtime_error {
public:
    explicit ProfileValueError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// The contents of one private-profile file in memory, read and changed the way the Windows profile
// functions read and change the file: the rules of the format without the file. ProfileFile reads
// it from disk and writes it back; several changes made here reach the file as one.
class ProfileDocument {
public:
    // where: the file's path, for messages.
    explicit ProfileDocument(const QByteArray& fileBytes = {}, QString where = {});

    QByteArray bytes() const { return m_text.fileBytes(); }
    bool changed() const { return m_changed; }

    // A value is read through a buffer of 1024 characters, so at most 1023 come back.
    static constexpr qsizetype LongestValue = 1023;

    QString readString(const QString& section, const QString& key, const QString& defaultValue = {}) const;
    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;
    QStringList readSection(const QString& section) const; // names that fit into 8192 characters
    // Every section and key a reader can reach, in file order: the first section of each name and,
    // within it, the first line of each key.
    QList<QPair<QString, QString>> entries() const;

    // Throw ProfileValueError for what the file cannot hold.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);
    void eraseSection(const QString& section);
    void deleteKey(const QString& section, const QString& key);

    // The first character of text that this file cannot hold ("ж", or a pair of surrogates), or
    // an empty text when it holds all of it.
    QString firstUnstorable(const QString& text) const;

private:
    QString checkedSection(const QString& section) const;
    QString checkedKey(const QString& section, const QString& key) const;
    [[noreturn]] void refuse(const QString& what, const QString& why) const;

    ProfileText m_text;
    QString m_where;
    bool m_changed = false;
};
