#include "platform/profile_text.h"

#include "platform/text_codec.h"

#include <QStringDecoder>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");
const QByteArray kUtf16Bom("\xFF\xFE");

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

qsizetype skipBlanks(const char* d, qsizetype from, qsizetype to) {
    while (from < to && isBlank(d[from]))
        ++from;
    return from;
}

qsizetype trimEnd(const char* d, qsizetype from, qsizetype to) {
    while (to > from && isBlank(d[to - 1]))
        --to;
    return to;
}

// Holds one UTF-16 code unit in the form UTF-8 gives it, surrogates too, so that the parser
// meets ASCII where the file has ASCII and every unit comes back unchanged.
void appendUnit(QByteArray& out, char16_t u) {
    if (u < 0x80) {
        out += static_cast<char>(u);
    } else if (u < 0x800) {
        out += static_cast<char>(0xC0 | (u >> 6));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (u >> 12));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
}

QString unitsOf(const char* d, qsizetype n) {
    QString out;
    out.reserve(n);
    for (qsizetype i = 0; i < n;) {
        const auto b = static_cast<unsigned char>(d[i]);
        const auto cont = [&](qsizetype k) {
            return i + k < n ? static_cast<unsigned char>(d[i + k]) & 0x3F : 0;
        };
        if (b < 0x80) {
            out += QChar(char16_t(b));
            i += 1;
        } else if ((b & 0xE0) == 0xC0) {
            out += QChar(char16_t(((b & 0x1F) << 6) | cont(1)));
            i += 2;
        } else {
            out += QChar(char16_t(((b & 0x0F) << 12) | (cont(1) << 6) | cont(2)));
            i += 3;
        }
    }
    return out;
}

// A U+FEFF at the start of a name or value is a character of it, not a byte-order mark: the plain
// UTF-8 decoder would drop it, and the name could then never be found again.
QString fromUtf8Exactly(QByteArrayView bytes) {
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder(bytes);
}

qsizetype find(const char* d, qsizetype from, qsizetype to, char c) {
    for (qsizetype i = from; i < to; ++i) {
        if (d[i] == c)
            return i;
    }
    return -1;
}

} // namespace

ProfileText::ProfileText(const QByteArray& fileBytes) {
    if (fileBytes.startsWith(kUtf8Bom)) {
        m_encoding = Encoding::Utf8;
        m_text = fileBytes.mid(kUtf8Bom.size());
    } else if (fileBytes.startsWith(kUtf16Bom)) {
        // The Windows profile API keeps a file in UTF-16 when it finds it so; we read it as such
        // and write it back the same way. Each code unit is held on its own, lone surrogates and
        // further byte-order marks included, and an odd last byte is kept aside: the lines an
        // edit does not touch go back to the file byte for byte.
        m_encoding = Encoding::Utf16;
        const qsizetype units = (fileBytes.size() - kUtf16Bom.size()) / 2;
        m_text.reserve(units);
        for (qsizetype i = 0; i < units; ++i) {
            const qsizetype at = kUtf16Bom.size() + 2 * i;
            appendUnit(m_text, char16_t(static_cast<unsigned char>(fileBytes[at]) |
                                        static_cast<unsigned char>(fileBytes[at + 1]) << 8));
        }
        m_oddByte = fileBytes.mid(kUtf16Bom.size() + 2 * units);
    } else {
        m_text = fileBytes;
    }
}

QByteArray ProfileText::fileBytes() const {
    switch (m_encoding) {
    case Encoding::Cp1252:
        return m_text;
    case Encoding::Utf8:
        return kUtf8Bom + m_text;
    case Encoding::Utf16: {
        const QString text = unitsOf(m_text.constData(), m_text.size());
        QByteArray out = kUtf16Bom;
        out.reserve(out.size() + 2 * text.size() + m_oddByte.size());
        for (const QChar c : text) {
            out += static_cast<char>(c.unicode() & 0xFF);
            out += static_cast<char>(c.unicode() >> 8);
        }
        return out + m_oddByte;
    }
    }
    return m_text;
}

bool ProfileText::canHold(const QString& text) const {
    switch (m_encoding) {
    case Encoding::Cp1252:
        return TextCodec::fromCp1252(TextCodec::toCp1252(text)) == text;
    case Encoding::Utf8:
        return fromUtf8Exactly(text.toUtf8()) == text;
    case Encoding::Utf16:
        return true;
    }
    return false;
}

QString ProfileText::decode(qsizetype from, qsizetype to) const {
    switch (m_encoding) {
    case Encoding::Cp1252:
        return TextCodec::fromCp1252(QByteArray::fromRawData(m_text.constData() + from, to - from));
    case Encoding::Utf8:
        return fromUtf8Exactly(QByteArrayView(m_text.constData() + from, to - from));
    case Encoding::Utf16:
        return unitsOf(m_text.constData() + from, to - from);
    }
    return {};
}

QByteArray ProfileText::encode(const QString& text) const {
    switch (m_encoding) {
    case Encoding::Cp1252:
        return TextCodec::toCp1252(text);
    case Encoding::Utf8:
        return text.toUtf8();
    case Encoding::Utf16: {
        QByteArray out;
        for (const QChar c : text)
            appendUnit(out, c.unicode());
        return out;
    }
    }
    return {};
}

QList<ProfileText::Section> ProfileText::sections() const {
    QList<Section> out;
    for (auto s = firstSection(0); s; s = firstSection(s->end))
        out.append(*s);
    return out;
}

std::optional<ProfileText::Section> ProfileText::firstSection(qsizetype from) const {
    Line line;
    for (qsizetype pos = from; lineAt(pos, line); pos = line.next) {
        if (line.kind == Kind::Section)
            return sectionAt(line);
    }
    return std::nullopt;
}

ProfileText::Section ProfileText::sectionAt(const Line& header) const {
    Section section{header, size(), header.next};
    Line inner;
    for (qsizetype pos = header.next; lineAt(pos, inner); pos = inner.next) {
        if (inner.kind == Kind::Section) {
            section.end = inner.start;
            break;
        }
        if (inner.kind == Kind::Key)
            section.afterLastKey = inner.next;
    }
    return section;
}

bool ProfileText::lineAt(qsizetype pos, Line& line) const {
    const qsizetype n = m_text.size();
    if (pos >= n)
        return false;
    const char* d = m_text.constData();
    qsizetype end = pos;
    while (end < n && d[end] != '\r' && d[end] != '\n')
        ++end;
    qsizetype next = end;
    if (next < n)
        next += (d[next] == '\r' && next + 1 < n && d[next + 1] == '\n') ? 2 : 1;

    line = Line{pos, end, next, Kind::Other, 0, 0, 0};
    qsizetype first = skipBlanks(d, pos, end);
    // A byte-order mark inside a Unicode file (one file appended to another, say) is read as
    // blank where a line starts.
    while (m_encoding != Encoding::Cp1252 && end - first >= 3 && d[first] == '\xEF' &&
           d[first + 1] == '\xBB' && d[first + 2] == '\xBF')
        first = skipBlanks(d, first + 3, end);
    if (first == end) {
        line.kind = Kind::Blank;
        return true;
    }
    if (d[first] == ';') {
        line.kind = Kind::Comment;
        return true;
    }
    if (d[first] == '[') {
        const qsizetype close = find(d, first + 1, end, ']');
        if (close >= 0) {
            line.kind = Kind::Section;
            line.nameStart = skipBlanks(d, first + 1, close);
            line.nameEnd = trimEnd(d, line.nameStart, close);
            return true;
        }
    }
    const qsizetype eq = find(d, first, end, '=');
    if (eq >= 0) {
        line.kind = Kind::Key;
        line.nameStart = first;
        line.nameEnd = trimEnd(d, first, eq);
        line.valueStart = eq + 1;
    }
    return true;
}

bool ProfileText::nameIs(const Line& line, const QString& name) const {
    // In Windows-1252 one byte is one character: most names are told apart without decoding.
    if (m_encoding == Encoding::Cp1252 && line.nameEnd - line.nameStart != name.size())
        return false;
    return decode(line.nameStart, line.nameEnd).compare(name, Qt::CaseInsensitive) == 0;
}

std::optional<ProfileText::Section> ProfileText::findSection(const QString& name, qsizetype from) const {
    Line line;
    for (qsizetype pos = from; lineAt(pos, line); pos = line.next) {
        if (line.kind == Kind::Section && nameIs(line, name))
            return sectionAt(line);
    }
    return std::nullopt;
}

QList<ProfileText::Line> ProfileText::keyLines(const Section& section) const {
    QList<Line> lines;
    Line line;
    for (qsizetype pos = section.header.next; pos < section.end && lineAt(pos, line); pos = line.next) {
        if (line.kind == Kind::Key)
            lines.append(line);
    }
    return lines;
}

QList<ProfileText::Line> ProfileText::keyLines(const Section& section, const QString& key) const {
    QList<Line> lines;
    Line line;
    for (qsizetype pos = section.header.next; pos < section.end && lineAt(pos, line); pos = line.next) {
        if (line.kind == Kind::Key && nameIs(line, key))
            lines.append(line);
    }
    return lines;
}

std::optional<ProfileText::Line> ProfileText::findKey(const Section& section, const QString& key) const {
    Line line;
    for (qsizetype pos = section.header.next; pos < section.end && lineAt(pos, line); pos = line.next) {
        if (line.kind == Kind::Key && nameIs(line, key))
            return line;
    }
    return std::nullopt;
}

QString ProfileText::name(const Line& line) const {
    return decode(line.nameStart, line.nameEnd);
}

QString ProfileText::value(const Line& line) const {
    const char* d = m_text.constData();
    const qsizetype from = skipBlanks(d, line.valueStart, line.end);
    return decode(from, trimEnd(d, from, line.end));
}

void ProfileText::replaceValue(const Line& line, const QString& valueText) {
    const qsizetype from = skipBlanks(m_text.constData(), line.valueStart, line.end);
    m_text.replace(from, line.end - from, encode(valueText));
}

void ProfileText::insertLine(qsizetype at, const QString& text) {
    QByteArray bytes;
    if (at > 0 && m_text[at - 1] != '\n' && m_text[at - 1] != '\r')
        bytes += "\r\n";
    bytes += encode(text);
    bytes += "\r\n";
    m_text.insert(at, bytes);
}
