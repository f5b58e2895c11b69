#include "platform/text_codec.h"

#include <array>

namespace {

// 0x80 to 0x9F. The five bytes that Windows-1252 leaves undefined decode to the C1 control of the
// same number, as Windows does, so that every byte survives a read and a write unchanged.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char encodeOne(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

namespace TextCodec {

QByteArray toCp1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            // One character outside the basic plane is one unknown character, not two.
            out += '?';
            ++i;
            continue;
        }
        out += c.isSurrogate() ? '?' : encodeOne(c.unicode());
    }
    return out;
}

QString fromCp1252(const QByteArray& bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *dst++ = (b >= 0x80 && b < 0xA0) ? QChar(kHighControls[b - 0x80]) : QChar(b);
    }
    return out;
}

QString firstUnencodable(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype width = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QString c = text.mid(i, width);
        if (fromCp1252(toCp1252(c)) != c)
            return c;
        i += width - 1;
    }
    return {};
}

QString describe(const QString& character) {
    if (character.isEmpty())
        return {};
    if (character.size() == 1 && isControl(character.at(0)))
        return QStringLiteral("U+") +
               QString::number(character.at(0).unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0'));
    const char32_t code = character.size() == 2 ? QChar::surrogateToUcs4(character.at(0), character.at(1))
                                                : character.at(0).unicode();
    return QStringLiteral("\"%1\" (U+%2)")
        .arg(character, QString::number(uint(code), 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

bool isControl(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

QString firstControl(const QString& text) {
    for (const QChar c : text) {
        if (isControl(c))
            return QString(c);
    }
    return {};
}

QString escaped(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (isControl(c) || (c.unicode() >= 0x80 && c.unicode() <= 0x9F))
            out += QStringLiteral("\\x") +
                   QString::number(c.unicode(), 16).toUpper().rightJustified(2, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

QString quoted(const QString& text) {
    return QLatin1Char('"') + escaped(text) + QLatin1Char('"');
}

} // namespace TextCodec
