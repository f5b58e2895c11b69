#include "platform/text_util.h"

QString StrTran(const QString& source, const QString& find, const QString& replacement) {
    if (find.size() != 1)
        return source;
    const QChar wanted = find.at(0);
    QString result;
    result.reserve(source.size());
    for (const QChar c : source) {
        if (c == wanted)
            result += replacement;
        else
            result += c;
    }
    return result;
}
