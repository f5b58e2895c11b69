#include "platform/profile_file.h"

#include "platform/profile_text.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// GetPrivateProfileString is given 1024 characters, GetPrivateProfileSection's key list 8192.
constexpr qsizetype kValueBuffer = 1024;
constexpr qsizetype kKeyListBuffer = 8192;

std::atomic<ProfileFile::CommitHook> g_commitHook{nullptr};

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

enum class Load { Missing, Read, Unreadable };

Load loadText(const QString& path, ProfileText& text) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.exists() ? Load::Unreadable : Load::Missing;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Load::Unreadable;
    text = ProfileText(bytes);
    return Load::Read;
}

// For a write: a file that exists but cannot be read must not be replaced by one that lacks its
// contents.
ProfileText loadForWrite(const QString& path) {
    ProfileText text;
    if (loadText(path, text) == Load::Unreadable)
        throw ProfileWriteError(path);
    return text;
}

bool writeAll(int fd, const QByteArray& bytes) {
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= n;
    }
    return true;
}

// Writes the new contents beside the file and renames them over it, so that a full disk, a
// refused directory or a crash leaves the old file whole. A symbolic link stays a link: its
// target is replaced.
void replaceFile(const QString& path, const QByteArray& bytes) {
    QFileInfo info(path);
    QString target = info.absoluteFilePath();
    if (info.isSymLink())
        target = info.canonicalFilePath().isEmpty() ? info.symLinkTarget() : info.canonicalFilePath();
    const QByteArray targetName = QFile::encodeName(target);

    struct stat old {};
    const bool exists = ::stat(targetName.constData(), &old) == 0;
    // Root may write anything; everyone else keeps the meaning of a read-only file.
    if (exists && ::access(targetName.constData(), W_OK) != 0)
        throw ProfileWriteError(path);

    const QFileInfo targetInfo(target);
    QByteArray tempName;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        tempName = QFile::encodeName(targetInfo.absolutePath() + u"/." + targetInfo.fileName() + u".tmp" +
                                     QString::number(QRandomGenerator::global()->generate(), 36));
        fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                    exists ? (old.st_mode & 07777) : 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        throw ProfileWriteError(path);

    bool ok = writeAll(fd, bytes);
    if (ok && exists) {
        // The umask may have taken bits away, and a file written by root stays its owner's.
        ok = ::fchmod(fd, old.st_mode & 07777) == 0;
        if (ok && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
            [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
        }
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    try {
        if (ok) {
            if (const ProfileFile::CommitHook hook = g_commitHook.load())
                hook(QFile::decodeName(tempName));
        }
    } catch (...) {
        ok = false;
    }
    if (!ok || ::rename(tempName.constData(), targetName.constData()) != 0) {
        ::unlink(tempName.constData());
        throw ProfileWriteError(path);
    }

    const int dir = ::open(QFile::encodeName(targetInfo.absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

// Integers as the classic readers of these files take them: decimal with an optional sign, or "0x" and
// hexadecimal digits filling at most 32 bits. Anything else is not a number.
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

ProfileWriteError::ProfileWriteError(const QString& path)
    : std::runtime_error(QString(u"Unable to write to " + path).toStdString()), m_path(path) {}

ProfileFile::ProfileFile(QString path) : m_path(std::move(path)) {}

void ProfileFile::setCommitHookForTesting(CommitHook hook) {
    g_commitHook = hook;
}

QString ProfileFile::fullPath() const {
    return QFileInfo(m_path).absoluteFilePath();
}

QString ProfileFile::readString(const QString& section, const QString& key,
                                const QString& defaultValue) const {
    ProfileText text;
    if (loadText(m_path, text) != Load::Read)
        return defaultValue;
    const auto found = text.findSection(trimBlanks(section));
    const auto line = found ? text.findKey(*found, trimBlanks(key)) : std::nullopt;
    if (!line)
        return defaultValue;
    QString value = text.value(*line);
    if (hasOuterQuotes(value))
        value = value.mid(1, value.size() - 2);
    if (value.size() >= kValueBuffer) {
        value.truncate(kValueBuffer - 1);
        if (value.back().isHighSurrogate())
            value.chop(1);
    }
    return value;
}

void ProfileFile::writeString(const QString& section, const QString& key, const QString& value) {
    const QString sectionName = checkedSection(section);
    const QString keyName = checkedKey(sectionName, key);
    if (const QString bad = unstorable(value); !bad.isEmpty())
        refuse(u"the value of the key \"" + keyName + u"\" in section \"" + sectionName + u'"',
               QString(u"a value cannot hold " + bad));

    ProfileText text = loadForWrite(fullPath());
    checkEncodable(text, sectionName, keyName);
    const QString stored = storedValue(value);
    if (const auto found = text.findSection(sectionName)) {
        if (const auto line = text.findKey(*found, keyName))
            text.replaceValue(*line, stored);
        else
            text.insertLine(found->afterLastKey, keyName + u'=' + stored);
    } else {
        text.insertLine(text.size(), u'[' + sectionName + u']');
        text.insertLine(text.size(), keyName + u'=' + stored);
    }
    replaceFile(fullPath(), text.fileBytes());
}

int ProfileFile::readInteger(const QString& section, const QString& key, int defaultValue) const {
    return parseInteger(trimBlanks(readString(section, key))).value_or(defaultValue);
}

void ProfileFile::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

bool ProfileFile::readBool(const QString& section, const QString& key, bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void ProfileFile::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QStringList ProfileFile::readSection(const QString& section) const {
    QStringList names;
    ProfileText text;
    if (loadText(m_path, text) != Load::Read)
        return names;
    const auto found = text.findSection(trimBlanks(section));
    if (!found)
        return names;
    // The names go into the buffer one after another, each ended by a NUL, the list by one more.
    // A later duplicate is never read, so it is not listed; an empty name would end the list.
    QSet<QString> seen;
    qsizetype used = 0;
    for (const ProfileText::Line& line : text.keyLines(*found)) {
        const QString name = text.name(line);
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

void ProfileFile::eraseSection(const QString& section) {
    const QString name = trimBlanks(section);
    ProfileText text = loadForWrite(fullPath());
    // Every section of the name goes, so that the section is gone for the next read.
    QList<ProfileText::Section> sections;
    for (auto found = text.findSection(name); found; found = text.findSection(name, found->end))
        sections.append(*found);
    if (sections.isEmpty())
        return;
    for (auto it = sections.crbegin(); it != sections.crend(); ++it)
        text.remove(it->header.start, it->end);
    replaceFile(fullPath(), text.fileBytes());
}

void ProfileFile::deleteKey(const QString& section, const QString& key) {
    try {
        ProfileText text = loadForWrite(fullPath());
        const auto found = text.findSection(trimBlanks(section));
        if (!found)
            return;
        // Later lines of the same key would come into view once the first is gone.
        const QList<ProfileText::Line> lines = text.keyLines(*found, trimBlanks(key));
        if (lines.isEmpty())
            return;
        for (auto it = lines.crbegin(); it != lines.crend(); ++it)
            text.remove(it->start, it->next);
        replaceFile(fullPath(), text.fileBytes());
    } catch (const ProfileWriteError&) {
    }
}

QString ProfileFile::checkedSection(const QString& section) const {
    QString name = trimBlanks(section);
    if (const QString bad = unstorable(name); !bad.isEmpty())
        refuse(u"the section \"" + name + u'"', QString(u"a section name cannot hold " + bad));
    if (name.contains(u']'))
        refuse(u"the section \"" + name + u'"', u"a section name cannot hold \"]\"");
    return name;
}

QString ProfileFile::checkedKey(const QString& section, const QString& key) const {
    QString name = trimBlanks(key);
    const QString what = u"the key \"" + name + u"\" in section \"" + section + u'"';
    if (name.isEmpty())
        refuse(u"an empty key in section \"" + section + u'"', u"a key needs a name");
    if (const QString bad = unstorable(name); !bad.isEmpty())
        refuse(what, QString(u"a key cannot hold " + bad));
    if (name.contains(u'='))
        refuse(what, u"a key cannot hold \"=\"");
    if (name.front() == u'[' || name.front() == u';')
        refuse(what, QString(u"a key cannot begin with \"" + name.front() + u'"'));
    return name;
}

void ProfileFile::checkEncodable(const ProfileText& text, const QString& section, const QString& key) const {
    // A name stored with "?" in place of a character could never be found again, and would meet
    // every other name that differs only there.
    if (!text.canHold(section))
        refuse(u"the section \"" + section + u'"', u"the name holds characters that the file cannot store");
    if (!text.canHold(key))
        refuse(u"the key \"" + key + u"\" in section \"" + section + u'"',
               u"the name holds characters that the file cannot store");
}

void ProfileFile::refuse(const QString& what, QStringView why) const {
    // A NUL would end the message text early.
    QString shown = what;
    shown.replace(QChar(u'\0'), QStringLiteral("\\0"));
    throw ProfileValueError(u"Cannot write " + shown + u" to " + fullPath() + u": " + why.toString() + u'.');
}
