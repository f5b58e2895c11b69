#include "platform/profile_document.h"

#include "platform/text_codec.h"

#include <QSet>
#include <optional>

namespace {

// GetPrivateProfileSection's key list gets 8192 characters.
constexpr qsizetype kKeyListBuffer = 8192;

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

QString trimBlanks(const QString& text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && isBlank(text.at(from)))
        ++from;
    while (to > from && isBlank(text.at(to - 1)))
        --to;
    return text.mid(from, to - from);
}

bool isQuote(QChar c) {
    return c == u'"' || c == u'\'';
}

bool hasOuterQuotes(const QString& text) {
    return text.size() >= 2 && isQuote(text.front()) && text.back() == text.front();
}

// A reader trims the value and then drops one pair of outer quotes, so a value that would lose
// either goes inside a pair of its own. Any white space at the ends counts: quoting more than
// strictly needed costs nothing.
QString storedValue(const QString& value) {
    const bool padded = !value.isEmpty() && (value.front().isSpace() || value.back().isSpace() ||
                                             value.front() == u'\x1A' || value.back() == u'\x1A');
    return padded || hasOuterQuotes(value) ? QString(u'"' + value + u'"') : value;
}

// What in a name or value would break the file's lines (or end the text early for a reader in
// C), or an empty string when it can be stored.
QString unstorable(const QString& text) {
    if (text.contains(u'\r') || text.contains(u'\n'))
        return QStringLiteral("a line break");
    if (text.contains(QChar(u'\0')))
        return QStringLiteral("a NUL character");
    return {};
}

// Integers as the classic readers of these files take them: decimal with an optional sign, or "0x"
// and hexadecimal digits filling at most 32 bits. Anything else is not a number.
std::optional<int> parseInteger(const QString& text) {
    bool ok = false;
    if (text.size() > 2 && text.at(0) == u'0' && (text.at(1) == u'x' || text.at(1) == u'X')) {
        const QStringView digits = QStringView(text).mid(2);
        for (const QChar c : digits) {
            const bool hex = (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
            if (!hex)
                return std::nullopt;
        }
        const uint value = digits.toUInt(&ok, 16);
        return ok ? std::optional<int>(static_cast<int>(value)) : std::nullopt;
    }
    QStringView digits(text);
    if (!digits.isEmpty() && (digits.front() == u'-' || digits.front() == u'+'))
        digits = digits.mid(1);
    if (digits.isEmpty())
        return std::nullopt;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

ProfileDocument::ProfileDocument(const QByteArray& fileBytes, QString where)
    : m_text(fileBytes), m_where(std::move(where)) {}

QString ProfileDocument::readString(const QString& section, const QString& key,
                                    const QString& defaultValue) const {
    const auto found = m_text.findSection(trimBlanks(section));
    const auto line = found ? m_text.findKey(*found, trimBlanks(key)) : std::nullopt;
    if (!line)
        return defaultValue;
    QString value = m_text.value(*line);
    if (hasOuterQuotes(value))
        value = value.mid(1, value.size() - 2);
    if (value.size() > LongestValue) {
        value.truncate(LongestValue);
        if (value.back().isHighSurrogate())
            value.chop(1);
    }
    return value;
}

int ProfileDocument::readInteger(const QString& section, const QString& key, int defaultValue) const {
    return parseInteger(trimBlanks(readString(section, key))).value_or(defaultValue);
}

bool ProfileDocument::readBool(const QString& section, const QString& key, bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

QStringList ProfileDocument::readSection(const QString& section) const {
    QStringList names;
    const auto found = m_text.findSection(trimBlanks(section));
    if (!found)
        return names;
    // The names go into the buffer one after another, each ended by a NUL, the list by one more.
    // A later duplicate is never read, so it is not listed; an empty name would end the list.
    QSet<QString> seen;
    qsizetype used = 0;
    for (const ProfileText::Line& line : m_text.keyLines(*found)) {
        const QString name = m_text.name(line);
        const QString folded = name.toCaseFolded();
        if (name.isEmpty() || seen.contains(folded))
            continue;
        if (used + name.size() + 2 > kKeyListBuffer)
            break;
        used += name.size() + 1;
        seen.insert(folded);
        names.append(name);
    }
    return names;
}

QList<QPair<QString, QString>> ProfileDocument::entries() const {
    QList<QPair<QString, QString>> out;
    QSet<QString> sections;
    for (const ProfileText::Section& section : m_text.sections()) {
        const QString name = m_text.name(section.header);
        if (sections.contains(name.toCaseFolded()))
            continue;
        sections.insert(name.toCaseFolded());
        QSet<QString> keys;
        for (const ProfileText::Line& line : m_text.keyLines(section)) {
            const QString key = m_text.name(line);
            if (keys.contains(key.toCaseFolded()))
                continue;
            keys.insert(key.toCaseFolded());
            out.append({name, key});
        }
    }
    return out;
}

void ProfileDocument::writeString(const QString& section, const QString& key, const QString& value) {
    const QString sectionName = checkedSection(section);
    const QString keyName = checkedKey(sectionName, key);
    const QString what = u"the value of the key \"" + keyName + u"\" in section \"" + sectionName + u'"';
    if (const QString bad = unstorable(value); !bad.isEmpty())
        refuse(what, u"a value cannot hold " + bad);
    // A value stored with "?" in place of a character would read back as another value.
    if (const QString c = firstUnstorable(value); !c.isEmpty())
        refuse(what, u"the file cannot store the character " + TextCodec::describe(c));
    const QString stored = storedValue(value);
    if (const auto found = m_text.findSection(sectionName)) {
        if (const auto line = m_text.findKey(*found, keyName))
            m_text.replaceValue(*line, stored);
        else
            m_text.insertLine(found->afterLastKey, keyName + u'=' + stored);
    } else {
        m_text.insertLine(m_text.size(), u'[' + sectionName + u']');
        m_text.insertLine(m_text.size(), keyName + u'=' + stored);
    }
    m_changed = true;
}

void ProfileDocument::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

void ProfileDocument::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void ProfileDocument::eraseSection(const QString& section) {
    const QString name = trimBlanks(section);
    // Every section of the name goes, so that the section is gone for the next read.
    QList<ProfileText::Section> sections;
    for (auto found = m_text.findSection(name); found; found = m_text.findSection(name, found->end))
        sections.append(*found);
    for (auto it = sections.crbegin(); it != sections.crend(); ++it)
        m_text.remove(it->header.start, it->end);
    m_changed = m_changed || !sections.isEmpty();
}

void ProfileDocument::deleteKey(const QString& section, const QString& key) {
    const auto found = m_text.findSection(trimBlanks(section));
    if (!found)
        return;
    // Later lines of the same key would come into view once the first is gone.
    const QList<ProfileText::Line> lines = m_text.keyLines(*found, trimBlanks(key));
    for (auto it = lines.crbegin(); it != lines.crend(); ++it)
        m_text.remove(it->start, it->next);
    m_changed = m_changed || !lines.isEmpty();
}

QString ProfileDocument::firstUnstorable(const QString& text) const {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype width = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QString c = text.mid(i, width);
        if (!m_text.canHold(c))
            return c;
        i += width - 1;
    }
    return {};
}

QString ProfileDocument::checkedSection(const QString& section) const {
    QString name = trimBlanks(section);
    if (const QString bad = unstorable(name); !bad.isEmpty())
        refuse(u"the section \"" + name + u'"', QString(u"a section name cannot hold " + bad));
    if (name.contains(u']'))
        refuse(u"the section \"" + name + u'"', QStringLiteral("a section name cannot hold \"]\""));
    // A name stored with "?" in place of a character could never be found again, and would meet
    // every other name that differs only there.
    if (!m_text.canHold(name))
        refuse(u"the section \"" + name + u'"',
               QStringLiteral("the name holds characters that the file cannot store"));
    return name;
}

QString ProfileDocument::checkedKey(const QString& section, const QString& key) const {
    QString name = trimBlanks(key);
    const QString what = u"the key \"" + name + u"\" in section \"" + section + u'"';
    if (name.isEmpty())
        refuse(u"an empty key in section \"" + section + u'"', QStringLiteral("a key needs a name"));
    if (const QString bad = unstorable(name); !bad.isEmpty())
        refuse(what, QString(u"a key cannot hold " + bad));
    if (name.contains(u'='))
        refuse(what, QStringLiteral("a key cannot hold \"=\""));
    if (name.front() == u'[' || name.front() == u';')
        refuse(what, QString(u"a key cannot begin with \"" + name.front() + u'"'));
    // Where a line starts, readers of Unicode files pass over byte-order marks.
    if (name.front() == QChar(0xFEFF))
        refuse(what, QStringLiteral("a key cannot begin with U+FEFF, which is read as a byte-order mark"));
    if (!m_text.canHold(name))
        refuse(what, QStringLiteral("the name holds characters that the file cannot store"));
    return name;
}

void ProfileDocument::refuse(const QString& what, const QString& why) const {
    // A NUL would end the message text early.
    QString shown = what;
    shown.replace(QChar(u'\0'), QStringLiteral("\\0"));
    throw ProfileValueError(u"Cannot write " + shown + u" to " + m_where + u": " + why + u'.');
}
