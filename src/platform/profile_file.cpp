#include "platform/profile_file.h"

#include "platform/regular_file.h"
#include "platform/replacement_file.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <sys/stat.h>

namespace {

[[noreturn]] void unreadable(const QString& path, const QString& why) {
    throw ProfileReadError(QStringLiteral("Cannot read %1: %2").arg(path, why));
}

QString notAFile(bool folder) {
    return folder ? QStringLiteral("it is a folder, not a file") : QStringLiteral("it is not a regular file");
}

// The file's bytes, empty for a missing file. Refuses what is no profile file before reading it.
QByteArray readBytes(const QString& path) {
    RegularFileRead file = readRegularFile(path, ProfileFile::LargestFile);
    switch (file.outcome) {
    case RegularFileRead::Outcome::Read:
        return std::move(file.bytes);
    case RegularFileRead::Outcome::Missing:
        return {};
    case RegularFileRead::Outcome::Folder:
    case RegularFileRead::Outcome::NotRegular:
        unreadable(path, notAFile(file.outcome == RegularFileRead::Outcome::Folder));
    case RegularFileRead::Outcome::TooLarge:
        unreadable(
            path,
            QStringLiteral("it is larger than 16 MiB (%1 bytes), which no profile file is").arg(file.size));
    case RegularFileRead::Outcome::Failed:
        break;
    }
    unreadable(path, file.error);
}

// The lock of a file reached through links sits beside the file itself, where every path to it
// finds the same lock.
QString lockedPath(const QString& path) {
    const QString real = QFileInfo(path).canonicalFilePath();
    return real.isEmpty() ? path : real;
}

// A path that names something other than a file is refused before any lock file is made beside it.
void requireFileOrNothing(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode))
        unreadable(path, notAFile(S_ISDIR(st.st_mode)));
}

// What this thread has read while a ReadOnce is alive, by full path.
struct ReadOnceCache {
    int holds = 0;
    QHash<QString, ProfileDocument> documents;
};
thread_local ReadOnceCache t_readOnce;

} // namespace

ProfileFile::ReadOnce::ReadOnce() {
    ++t_readOnce.holds;
}

ProfileFile::ReadOnce::~ReadOnce() {
    if (--t_readOnce.holds == 0)
        t_readOnce.documents.clear();
}

QString ProfileFile::tooLargeToWrite(qint64 size) {
    return QStringLiteral("It would grow to %1 bytes, more than the 16 MiB (%2 bytes) that the program "
                          "reads back: nothing in it could be read again.")
        .arg(size)
        .arg(LargestFile);
}

ProfileWriteError::ProfileWriteError(const QString& path, const QString& reason)
    : std::runtime_error(
          QString(u"Unable to write to " + path + (reason.isEmpty() ? QString() : u'\n' + reason))
              .toStdString()),
      m_path(path) {}

ProfileFile::ProfileFile(QString path) : m_path(std::move(path)) {}

void ProfileFile::setCommitHookForTesting(CommitHook hook) {
    ReplacementFile::setCommitHookForTesting(hook);
}

QString ProfileFile::fullPath() const {
    return QFileInfo(m_path).absoluteFilePath();
}

ProfileDocument ProfileFile::snapshot() const {
    const QString path = fullPath();
    if (t_readOnce.holds > 0) {
        if (const auto it = t_readOnce.documents.constFind(path); it != t_readOnce.documents.cend())
            return it.value();
    }
    requireFileOrNothing(path);
    const FileLock lock = FileLock::beside(lockedPath(path), FileLock::Mode::Shared);
    ProfileDocument document(readBytes(path), path);
    if (t_readOnce.holds > 0)
        t_readOnce.documents.insert(path, document);
    return document;
}

ProfileFile::Edit::Edit(const ProfileFile& file) : m_path(file.fullPath()) {
    // A file that cannot be read must not be replaced by one that lacks its contents; and where no
    // lock file can be made, no new file could be made either. Either way the write is refused.
    try {
        requireFileOrNothing(m_path);
        try {
            m_lock = FileLock::beside(lockedPath(m_path), FileLock::Mode::Exclusive);
        } catch (const IoError&) {
            // Without a file there is nothing to lose: a change that writes one fails at the write.
            if (QFileInfo::exists(m_path))
                throw;
        }
        m_document = ProfileDocument(readBytes(m_path), m_path);
    } catch (const IoError& e) {
        throw ProfileWriteError(m_path, e.message());
    }
}

void ProfileFile::Edit::commit() {
    if (!m_document.changed())
        return;
    const QByteArray bytes = m_document.bytes();
    if (bytes.size() > LargestFile)
        throw ProfileWriteError(m_path, tooLargeToWrite(bytes.size()));
    // Another path may lead to the same file through a link: nothing read before stays.
    t_readOnce.documents.clear();
    try {
        ReplacementFile::replace(m_path, bytes);
    } catch (const IoError& e) {
        throw ProfileWriteError(m_path, e.message());
    }
    m_document = ProfileDocument(bytes, m_path);
}

ProfileDocument ProfileFile::lenientSnapshot() const {
    try {
        return snapshot();
    } catch (const IoError&) {
        return ProfileDocument({}, fullPath());
    }
}

QString ProfileFile::readString(const QString& section, const QString& key,
                                const QString& defaultValue) const {
    return lenientSnapshot().readString(section, key, defaultValue);
}

void ProfileFile::writeString(const QString& section, const QString& key, const QString& value) {
    Edit edit(*this);
    edit.document().writeString(section, key, value);
    edit.commit();
}

int ProfileFile::readInteger(const QString& section, const QString& key, int defaultValue) const {
    return lenientSnapshot().readInteger(section, key, defaultValue);
}

void ProfileFile::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

bool ProfileFile::readBool(const QString& section, const QString& key, bool defaultValue) const {
    return lenientSnapshot().readBool(section, key, defaultValue);
}

void ProfileFile::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QStringList ProfileFile::readSection(const QString& section) const {
    return lenientSnapshot().readSection(section);
}

void ProfileFile::eraseSection(const QString& section) {
    Edit edit(*this);
    edit.document().eraseSection(section);
    edit.commit();
}

void ProfileFile::deleteKey(const QString& section, const QString& key) {
    try {
        Edit edit(*this);
        edit.document().deleteKey(section, key);
        edit.commit();
    } catch (const ProfileWriteError&) {
    }
}
