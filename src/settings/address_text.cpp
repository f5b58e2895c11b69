#include "settings/address_text.h"

#include <QList>
#include <QStringList>
#include <algorithm>

namespace AddressText {

bool isDigits(QStringView text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), isDigit);
}

bool isMaskedAddress(const QString& text) {
    if (text.size() != 15)
        return false;
    for (int i = 0; i < 15; ++i) {
        const QChar c = text[i];
        if (i == 3 || i == 7 || i == 11) {
            if (c != QLatin1Char('.'))
                return false;
        } else if (c != QLatin1Char(' ') && !isDigit(c)) {
            return false;
        }
    }
    return true;
}

QString paddedAddress(const QString& text) {
    // Read by hand rather than by a regular expression: compiling one costs more than a whole
    // command-line build's other settings work.
    const QList<QStringView> groups = QStringView(text).split(u'.');
    if (groups.size() != 4)
        return {};
    QString padded;
    padded.reserve(15);
    for (const QStringView group : groups) {
        if (group.size() > 3 || !isDigits(group))
            return {};
        if (!padded.isEmpty())
            padded += u'.';
        padded += QString(3 - group.size(), u' ') + group;
    }
    return padded;
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
