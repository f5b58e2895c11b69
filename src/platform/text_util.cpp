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

QString Trim(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first].unicode() <= 32)
        ++first;
    while (last > first && text[last - 1].unicode() <= 32)
        --last;
    return text.mid(first, last - first);
}
