#include "platform/replacement_file.h"

#include "platform/host_listings.h"
#include "platform/io_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

std::atomic<ReplacementFile::CommitHook> g_commitHook{nullptr};

const QString kMarker = QStringLiteral(".bw-tmp.");
constexpr int kMaxLinks = 40;

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

const QRegularExpression& temporaryPattern() {
    static const QRegularExpression re(QStringLiteral("\\A\\.(.+)\\.bw-tmp\\.(\\d+)\\.[0-9a-z]+\\z"));
    return re;
}

// Follows a chain of links to the file it ends at, which need not exist yet.
QString followLinks(const QString& path) {
    QString current = QFileInfo(path).absoluteFilePath();
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            return current;
        current = QDir::cleanPath(info.symLinkTarget());
    }
    throw IoError(QStringLiteral("Cannot write %1: too many levels of symbolic links").arg(path));
}

bool writeAll(int fd, const char* data, qsizetype size, int* error) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            *error = n < 0 ? errno : ENOSPC;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

mode_t defaultMode() {
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666 & ~mask;
}

bool processAlive(qint64 pid) {
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return false;
    return pid == ::getpid() || ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// The file a replacement keeps owner, group and mode from; a link replaced itself leaves nothing to
// keep.
bool oldFile(const QByteArray& name, ReplacementFile::Links links, struct stat* st) {
    if (links == ReplacementFile::Links::Follow)
        return ::stat(name.constData(), st) == 0;
    return ::lstat(name.constData(), st) == 0 && !S_ISLNK(st->st_mode);
}

} // namespace

ReplacementFile::ReplacementFile(const QString& path, Links links)
    : m_target(links == Links::Follow ? followLinks(path) : QFileInfo(path).absoluteFilePath()),
      m_links(links) {
    const QFileInfo targetInfo(m_target);
    const QByteArray targetName = QFile::encodeName(m_target);
    struct stat st {};
    m_exists = oldFile(targetName, m_links, &st);
    if (m_exists && !S_ISREG(st.st_mode))
        throw IoError(QStringLiteral("Cannot write %1: it is not a regular file").arg(m_target));
    // Root may write anything; everyone else keeps the meaning of a read-only file.
    if (m_exists && ::access(targetName.constData(), W_OK) != 0)
        fail(QStringLiteral("write"), errno);

    removeStale(targetInfo.absolutePath(), targetInfo.fileName());
    for (int attempt = 0; attempt < 16 && m_fd < 0; ++attempt) {
        m_temp = targetInfo.absolutePath() + QStringLiteral("/.") + targetInfo.fileName() + kMarker +
                 QString::number(::getpid()) + QLatin1Char('.') +
                 QString::number(QRandomGenerator::global()->generate(), 36);
        m_fd = ::open(QFile::encodeName(m_temp).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (m_fd < 0 && errno != EEXIST)
            break;
    }
    if (m_fd < 0) {
        const int error = errno;
        m_temp.clear();
        fail(QStringLiteral("write"), error);
    }
}

ReplacementFile::~ReplacementFile() {
    discard();
}

void ReplacementFile::discard() {
    if (m_flushing.valid())
        m_flushing.wait(); // it flushes through m_fd
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_committed && !m_temp.isEmpty())
        ::unlink(QFile::encodeName(m_temp).constData());
}

void ReplacementFile::fail(const QString& what, int error) const {
    throw IoError(QStringLiteral("Cannot %1 %2: %3").arg(what, m_target, systemError(error)));
}

void ReplacementFile::write(const QByteArray& bytes) {
    int error = 0;
    if (m_fd < 0 || !writeAll(m_fd, bytes.constData(), bytes.size(), &error))
        fail(QStringLiteral("write"), m_fd < 0 ? EBADF : error);
}

void ReplacementFile::writeAt(qint64 offset, const QByteArray& bytes) {
    if (m_fd >= 0 && ::lseek(m_fd, off_t(offset), SEEK_SET) < 0)
        fail(QStringLiteral("write"), errno);
    write(bytes);
}

void ReplacementFile::copyTarget() {
    const int in = ::open(QFile::encodeName(m_target).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        fail(QStringLiteral("read"), errno);
    QByteArray buffer(65536, Qt::Uninitialized);
    int error = 0;
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), static_cast<size_t>(buffer.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = errno;
            ::close(in);
            fail(QStringLiteral("read"), error);
        }
        if (n == 0)
            break;
        if (!writeAll(m_fd, buffer.constData(), n, &error)) {
            ::close(in);
            fail(QStringLiteral("make a working copy of"), error);
        }
    }
    ::close(in);
}

void ReplacementFile::allocate(qint64 size) {
    if (m_fd < 0)
        fail(QStringLiteral("write"), EBADF);
    // posix_fallocate writes the zeros itself where the file system cannot reserve room.
    if (const int error = ::posix_fallocate(m_fd, 0, off_t(size)); error != 0)
        fail(QStringLiteral("write"), error);
}

void ReplacementFile::startFlush() {
    if (m_fd < 0 ||
        (m_flushing.valid() && m_flushing.wait_for(std::chrono::seconds(0)) != std::future_status::ready))
        return;
    joinFlush();
    try {
        m_flushing = std::async(std::launch::async, [fd = m_fd] { return ::fsync(fd) == 0 ? 0 : errno; });
    } catch (const std::system_error&) {
        // No thread to spare: commit() flushes all of it.
    }
}

void ReplacementFile::joinFlush() {
    if (!m_flushing.valid())
        return;
    if (const int error = m_flushing.get(); error != 0 && m_flushError == 0)
        m_flushError = error;
}

void ReplacementFile::commit() {
    if (m_fd < 0 || m_committed)
        fail(QStringLiteral("write"), EBADF);
    const QByteArray targetName = QFile::encodeName(m_target);
    struct stat old {};
    const bool exists = oldFile(targetName, m_links, &old);
    joinFlush();
    if (m_flushError != 0)
        fail(QStringLiteral("write"), m_flushError);
    if (::fsync(m_fd) != 0)
        fail(QStringLiteral("write"), errno);
    // What counts is how the new file ends up: on a FAT floppy mounted with fixed owner and
    // permissions, chown and chmod are refused while the new file already has them.
    struct stat now {};
    const auto has = [&](bool owner) {
        return ::fstat(m_fd, &now) == 0 && (owner ? now.st_uid == old.st_uid && now.st_gid == old.st_gid
                                                  : (now.st_mode & 07777) == (old.st_mode & 07777));
    };
    if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
        // Only root can give a file away; for everyone else the file becomes theirs, as any
        // editor that saves by renaming does it.
        if (::fchown(m_fd, old.st_uid, old.st_gid) != 0 && ::geteuid() == 0 && !has(true))
            fail(QStringLiteral("keep the owner of"), errno);
    }
    if (::fchmod(m_fd, exists ? (old.st_mode & 07777) : defaultMode()) != 0 && !(exists && has(false)))
        fail(QStringLiteral("keep the mode of"), errno);
    const int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0 && errno != EINTR)
        fail(QStringLiteral("write"), errno);
    if (const CommitHook hook = g_commitHook.load()) {
        try {
            hook(m_temp);
        } catch (const std::exception& e) {
            throw IoError(
                QStringLiteral("Cannot write %1: %2").arg(m_target, QString::fromLocal8Bit(e.what())));
        }
    }
    if (::rename(QFile::encodeName(m_temp).constData(), targetName.constData()) != 0)
        fail(QStringLiteral("write"), errno);
    m_committed = true;
    // The rename itself reaches the disk with the directory.
    const int dir = ::open(QFile::encodeName(QFileInfo(m_target).absolutePath()).constData(),
                           O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void ReplacementFile::replace(const QString& path, const QByteArray& bytes, Links links) {
    ReplacementFile file(path, links);
    file.write(bytes);
    file.commit();
}

void ReplacementFile::setCommitHookForTesting(CommitHook hook) {
    g_commitHook = hook;
}

bool ReplacementFile::isTemporaryName(const QString& fileName) {
    return temporaryPattern().match(fileName).hasMatch();
}

namespace {

// The folders listed for temporary files while a StaleListingHold is held, with what they held.
QMutex staleMutex;
int staleHolds = 0;
QHash<QString, QStringList> staleListed;

} // namespace

ReplacementFile::StaleListingHold::StaleListingHold() {
    const QMutexLocker lock(&staleMutex);
    ++staleHolds;
}

ReplacementFile::StaleListingHold::~StaleListingHold() {
    const QMutexLocker lock(&staleMutex);
    if (--staleHolds == 0)
        staleListed.clear();
}

void ReplacementFile::removeStale(const QString& dir, const QString& name) {
    const QMutexLocker lock(&staleMutex);
    auto known = staleListed.find(dir);
    if (name.isEmpty() || staleHolds == 0 || known == staleListed.end()) {
        // Listed straight from the directory: a name filter compiled a pattern of its own at every
        // call, most of what writing a small profile file cost.
        QStringList names = HostDirectory::entries(dir);
        names.removeIf(
            [](const QString& fileName) { return !fileName.contains(kMarker, Qt::CaseInsensitive); });
        known = staleListed.insert(dir, names);
    }
    const time_t dayAgo = ::time(nullptr) - time_t{24} * 60 * 60;
    known->removeIf([&](const QString& fileName) {
        // Any name may hold wildcard characters: the pattern does the matching.
        const QRegularExpressionMatch m = temporaryPattern().match(fileName);
        if (!m.hasMatch() || (!name.isEmpty() && m.captured(1) != name))
            return false;
        // Files only; a link of that name is left alone, as is whatever it points to.
        const QString path = QDir(dir).filePath(fileName);
        struct stat st {};
        if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
            return true; // gone already
        if (S_ISDIR(st.st_mode) || S_ISLNK(st.st_mode))
            return false;
        if (processAlive(m.captured(2).toLongLong()) && st.st_mtime >= dayAgo)
            return false;
        return QFile::remove(path);
    });
    if (staleHolds == 0)
        staleListed.clear();
}
