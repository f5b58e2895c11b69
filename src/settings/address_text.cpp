#include "settings/address_text.h"

#include <QRegularExpression>
#include <QStringList>

namespace AddressText {

bool isMaskedAddress(const QString& text) {
    if (text.size() != 15)
        return false;
    for (int i = 0; i < 15; ++i) {
        const QChar c = text[i];
        if (i == 3 || i == 7 || i == 11) {
            if (c != QLatin1Char('.'))
                return false;
        } else if (c != QLatin1Char(' ') && !(c >= QLatin1Char('0') && c <= QLatin1Char('9'))) {
            return false;
        }
    }
    return true;
}

QString paddedAddress(const QString& text) {
    // \z, not $: "$" would also match before a last line break and let it in.
    static const QRegularExpression plain(
        QStringLiteral("\\A([0-9]{1,3})\\.([0-9]{1,3})\\.([0-9]{1,3})\\.([0-9]{1,3})\\z"));
    const QRegularExpressionMatch m = plain.match(text);
    if (!m.hasMatch())
        return {};
    QStringList groups;
    for (int g = 1; g <= 4; ++g)
        groups << m.captured(g).rightJustified(3, QLatin1Char(' '));
    return groups.join(QLatin1Char('.'));
}

bool hasGroupAbove255(const QString& text) {
    const QString masked = isMaskedAddress(text) ? text : paddedAddress(text);
    if (masked.isEmpty())
        return false;
    for (const QString& group : masked.split(QLatin1Char('.'))) {
        bool ok = false;
        const int number = group.trimmed().toInt(&ok);
        if (ok && number > 255)
            return true;
    }
    return false;
}

} // namespace AddressText
