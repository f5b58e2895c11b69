#include "platform/dos_path.h"

#include <algorithm>

namespace DosPath {

namespace {

bool isDriveLetter(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool isSeparator(QChar c) {
    return c == u'\\' || c == u'/';
}

} // namespace

Parsed parse(const QString& path) {
    Parsed result;
    qsizetype start = 0;
    if (path.size() >= 2 && path[1] == u':' && isDriveLetter(path[0])) {
        result.drive = path[0].toUpper();
        start = 2;
    } else if (!path.isEmpty() && isSeparator(path[0])) {
        // "\X" without a drive names the root of the current drive; on Linux that is the host's.
        result.hostAbsolute = true;
    }

    // A path on a drive or from the host root cannot climb above its root, so ".." there stops at
    // the root as it does on DOS; a relative path keeps its leading ".." for the current directory.
    const bool rooted = !result.drive.isNull() || result.hostAbsolute;
    qsizetype i = start;
    while (i <= path.size()) {
        qsizetype end = i;
        while (end < path.size() && !isSeparator(path[end]))
            ++end;
        const QString component = path.mid(i, end - i);
        i = end + 1;
        if (component.isEmpty() || component == u".")
            continue;
        if (component == u"..") {
            if (!result.parts.isEmpty() && result.parts.last() != u"..")
                result.parts.removeLast();
            else if (!rooted)
                result.parts.append(component);
            continue;
        }
        const QString name = normalizeName(component);
        if (!name.isEmpty())
            result.parts.append(name);
    }
    return result;
}

QString fileNamePart(const QString& path) {
    const qsizetype cut = std::max({path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'), path.lastIndexOf(u':')});
    return path.mid(cut + 1);
}

QString normalizeName(const QString& name) {
    if (name == u"." || name == u"..")
        return name;
    qsizetype end = name.size();
    while (end > 0 && name[end - 1] == u'.')
        --end;
    return name.left(end);
}

} // namespace DosPath
