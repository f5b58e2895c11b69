#include "platform/file_lock.h"

#include "platform/io_error.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QThread>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

struct FileLock::Entry {
    QString key;
    int fd = -1;
    Mode mode = Mode::Shared;
    int holders = 0;
};

namespace {

// The locks this thread holds, so that a nested holder shares the lock instead of waiting for
// itself (flock would make two descriptors of one process wait for each other).
thread_local QHash<QString, FileLock::Entry*> t_held;

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Waits for the lock; a file system without flock is used without one, as there is no better.
void wait(int fd, int operation, const QString& shown) {
    QElapsedTimer timer;
    timer.start();
    unsigned long pause = 1;
    for (;;) {
        if (::flock(fd, operation | LOCK_NB) == 0)
            return;
        const int error = errno;
        if (error == EINTR)
            continue;
        if (error != EWOULDBLOCK)
            return;
        if (timer.elapsed() > FileLock::WaitSeconds * 1000LL)
            throw IoError(QStringLiteral("Cannot use %1: another program has held it for %2 seconds; "
                                         "try again when it has finished")
                              .arg(shown)
                              .arg(FileLock::WaitSeconds));
        QThread::msleep(pause);
        pause = std::min<unsigned long>(pause * 2, 50);
    }
}

// A lock file made by root in a user's directory belongs to that user, like the files beside it.
void giveToDirectoryOwner(int fd, const QString& lockPath) {
    if (::geteuid() != 0)
        return;
    struct stat dir {};
    if (::stat(QFile::encodeName(QFileInfo(lockPath).absolutePath()).constData(), &dir) == 0) {
        [[maybe_unused]] const int owned = ::fchown(fd, dir.st_uid, dir.st_gid);
    }
}

} // namespace

FileLock::FileLock() = default;

FileLock::~FileLock() {
    release();
}

FileLock::FileLock(FileLock&& other) noexcept : m_entry(std::exchange(other.m_entry, nullptr)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        release();
        m_entry = std::exchange(other.m_entry, nullptr);
    }
    return *this;
}

QString FileLock::lockFileName(const QString& path) {
    const QFileInfo info(path);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".lock");
}

FileLock FileLock::beside(const QString& path, Mode mode) {
    return acquire(lockFileName(path), QFileInfo(path).absoluteFilePath(), mode, mode == Mode::Exclusive,
                   false);
}

FileLock FileLock::onFile(const QString& path, Mode mode) {
    const QFileInfo info(path);
    const QString real = info.canonicalFilePath();
    if (real.isEmpty())
        return {};
    return acquire(real, info.absoluteFilePath(), mode, false, true);
}

FileLock FileLock::onFolder(const QString& path, Mode mode) {
    const QFileInfo info(path);
    const QString real = info.canonicalFilePath();
    if (real.isEmpty() || !info.isDir())
        throw IoError(QStringLiteral("Cannot lock %1: no such folder").arg(info.absoluteFilePath()));
    return acquire(real, info.absoluteFilePath(), mode, false, false, true);
}

FileLock FileLock::acquire(const QString& lockPath, const QString& shownPath, Mode mode, bool create,
                           bool followReplacement, bool folder) {
    const QString key = QDir::cleanPath(lockPath);
    if (Entry* held = t_held.value(key)) {
        if (mode == Mode::Exclusive && held->mode == Mode::Shared) {
            wait(held->fd, LOCK_EX, shownPath);
            held->mode = Mode::Exclusive;
        }
        ++held->holders;
        return FileLock(held);
    }
    const QByteArray name = QFile::encodeName(key);
    for (int attempt = 0;; ++attempt) {
        const int flags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | (folder ? O_DIRECTORY : 0);
        int fd = -1;
        int error = 0;
        if (create) {
            fd = ::open(name.constData(), flags | O_CREAT | O_EXCL, 0644);
            error = errno;
            if (fd >= 0)
                giveToDirectoryOwner(fd, key);
        }
        if (fd < 0 && (!create || error == EEXIST)) {
            fd = ::open(name.constData(), flags);
            error = errno;
            // Removed between the two opens: make it again.
            if (fd < 0 && create && error == ENOENT && attempt < 100)
                continue;
        }
        if (fd < 0) {
            if (!create && !folder && error == ENOENT)
                return {};
            throw IoError(QStringLiteral("Cannot lock %1: %2 (%3)").arg(shownPath, systemError(error), key));
        }
        try {
            wait(fd, mode == Mode::Exclusive ? LOCK_EX : LOCK_SH, shownPath);
        } catch (...) {
            ::close(fd);
            throw;
        }
        if (followReplacement) {
            // The file may have been replaced while we waited: the lock must be on the one the
            // path names now.
            struct stat locked {};
            struct stat now {};
            const bool same = ::fstat(fd, &locked) == 0 && ::stat(name.constData(), &now) == 0 &&
                              locked.st_dev == now.st_dev && locked.st_ino == now.st_ino;
            if (!same) {
                const bool gone = ::stat(name.constData(), &now) != 0;
                ::close(fd);
                if (gone)
                    return {};
                continue;
            }
        }
        auto* entry = new Entry{key, fd, mode, 1};
        t_held.insert(key, entry);
        return FileLock(entry);
    }
}

void FileLock::release() {
    Entry* entry = std::exchange(m_entry, nullptr);
    if (!entry || --entry->holders > 0)
        return;
    t_held.remove(entry->key);
    ::close(entry->fd);
    delete entry;
}
