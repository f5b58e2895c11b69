#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// The text of a private-profile file kept as the bytes on disk, with just enough structure to find
// sections and keys and to change single lines. An edit touches only the lines it changes, so every
// other byte goes back to the file as it came.
//
// Lines end in CR LF, LF or CR alone. After leading blanks (space, tab) a line is blank, a comment
// (";"), a section header ("[" up to the first "]"), a key line (the first "=" splits key and
// value) or anything else, which the lookups ignore.
class ProfileText {
public:
    enum class Kind { Blank, Comment, Section, Key, Other };

    // Byte offsets into the text (BOM excluded).
    struct Line {
        qsizetype start = 0;
        qsizetype end = 0;  // end of the text, before the line break
        qsizetype next = 0; // start of the following line
        Kind kind = Kind::Blank;
        qsizetype nameStart = 0; // trimmed section name or key
        qsizetype nameEnd = 0;
        qsizetype valueStart = 0; // just past the "=" of a key line
    };

    // A section runs from its header to the next header or the end of the text.
    struct Section {
        Line header;
        qsizetype end = 0;
        qsizetype afterLastKey = 0; // past the last key line, or past the header when it has none
    };

    ProfileText() = default;
    // Takes the file as read. A UTF-8 or UTF-16 (little-endian) byte-order mark selects that
    // encoding, which fileBytes() keeps; anything else is Windows-1252. Unedited, fileBytes() gives
    // back exactly the bytes taken.
    explicit ProfileText(const QByteArray& fileBytes);
    QByteArray fileBytes() const;

    qsizetype size() const { return m_text.size(); }
    // True when the file's encoding holds the text exactly.
    bool canHold(const QString& text) const;

    // The first section of that name (compared without regard to case) and the one after it.
    std::optional<Section> findSection(const QString& name, qsizetype from = 0) const;
    // Every section in file order, whatever its name.
    QList<Section> sections() const;
    // The key lines of a section in file order, or only those of one name.
    QList<Line> keyLines(const Section& section) const;
    QList<Line> keyLines(const Section& section, const QString& key) const;
    std::optional<Line> findKey(const Section& section, const QString& key) const;

    QString name(const Line& line) const;
    // The value of a key line with its surrounding blanks removed; quotes are left to the caller.
    QString value(const Line& line) const;

    // Replaces what follows the "=" and its blanks with the new text.
    void replaceValue(const Line& line, const QString& valueText);
    // Inserts a line ended by CR LF at a line start; when the text before it does not end with a
    // line break (a file without a final one), CR LF is added first.
    void insertLine(qsizetype at, const QString& text);
    void remove(qsizetype from, qsizetype to) { m_text.remove(from, to - from); }

private:
    enum class Encoding { Cp1252, Utf8, Utf16 };

    bool lineAt(qsizetype pos, Line& line) const;
    std::optional<Section> firstSection(qsizetype from) const;
    Section sectionAt(const Line& header) const;
    bool nameIs(const Line& line, const QString& name) const;
    QString decode(qsizetype from, qsizetype to) const;
    QByteArray encode(const QString& text) const;

    Encoding m_encoding = Encoding::Cp1252;
    // For a UTF-16 file each code unit is held in its UTF-8 form, so that one parser serves every
    // encoding; an odd byte at the end of such a file is kept in m_oddByte.
    QByteArray m_text;
    QByteArray m_oddByte;
};
