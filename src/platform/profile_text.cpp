#include "platform/profile_text.h"

#include "platform/text_codec.h"

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
        // and write it back the same way.
        m_encoding = Encoding::Utf16;
        QString text;
        text.reserve(fileBytes.size() / 2);
        for (qsizetype i = kUtf16Bom.size(); i + 1 < fileBytes.size(); i += 2) {
            text += QChar(char16_t(static_cast<unsigned char>(fileBytes[i]) |
                                   static_cast<unsigned char>(fileBytes[i + 1]) << 8));
        }
        m_text = text.toUtf8();
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
        const QString text = QString::fromUtf8(m_text);
        QByteArray out = kUtf16Bom;
        out.reserve(out.size() + 2 * text.size());
        for (const QChar c : text) {
            out += static_cast<char>(c.unicode() & 0xFF);
            out += static_cast<char>(c.unicode() >> 8);
        }
        return out;
    }
    }
    return m_text;
}

bool ProfileText::canHold(const QString& text) const {
    const QByteArray bytes = encode(text);
    return QString(m_encoding == Encoding::Cp1252 ? TextCodec::fromCp1252(bytes)
                                                  : QString::fromUtf8(bytes)) == text;
}

QString ProfileText::decode(qsizetype from, qsizetype to) const {
    if (m_encoding == Encoding::Cp1252)
        return TextCodec::fromCp1252(QByteArray::fromRawData(m_text.constData() + from, to - from));
    return QString::fromUtf8(m_text.constData() + from, to - from);
}

QByteArray ProfileText::encode(const QString& text) const {
    return m_encoding == Encoding::Cp1252 ? TextCodec::toCp1252(text) : text.toUtf8();
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
    const qsizetype first = skipBlanks(d, pos, end);
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
    qsizetype pos = from;
    while (lineAt(pos, line)) {
        pos = line.next;
        if (line.kind != Kind::Section || !nameIs(line, name))
            continue;
        Section section{line, size(), line.next};
        Line inner;
        while (lineAt(pos, inner)) {
            if (inner.kind == Kind::Section) {
                section.end = inner.start;
                break;
            }
            if (inner.kind == Kind::Key)
                section.afterLastKey = inner.next;
            pos = inner.next;
        }
        return section;
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
