#include "platform/directory_volume.h"

#include "platform/dos_path.h"
#include "platform/io_error.h"
#include "platform/replacement_file.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/vfs.h>
#include <unistd.h>

// DOS attributes on an ordinary Linux file system: only read-only has a counterpart (the owner's
// write permission). Every file reports Archive, as a file written by DOS carries it; hidden and
// system cannot be kept and are dropped when set.

namespace {

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// A FAT or exFAT file system: a mounted diskette or stick, whose medium may lose what it is handed.
bool onDosMedium(int fd) {
    constexpr decltype(statfs::f_type) kExFat = 0x2011BAB0;
    struct statfs fs {};
    return ::fstatfs(fd, &fs) == 0 && (fs.f_type == MSDOS_SUPER_MAGIC || fs.f_type == kExFat);
}

// What an errno from creating or writing a file means to someone making a diskette.
IoError::Problem problemOf(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return IoError::Problem::NoSpace;
    case EACCES:
    case EPERM:
    case EROFS:
        return IoError::Problem::WriteProtected;
    case EISDIR:
        return IoError::Problem::FolderInTheWay;
    default:
        return IoError::Problem::Other;
    }
}

QString join(const QString& dir, const QString& name) {
    return dir.endsWith(u'/') ? QString(dir + name) : QString(dir + u'/' + name);
}

// The directory that holds a host path, and the name in it.
std::pair<QString, QString> splitHostPath(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    return {slash <= 0 ? QStringLiteral("/") : path.left(slash), path.mid(slash + 1)};
}

bool statPath(const QString& path, struct stat* st) {
    return ::stat(QFile::encodeName(path).constData(), st) == 0;
}

QDateTime fromTimespec(const timespec& ts) {
    return QDateTime::fromMSecsSinceEpoch(qint64(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000);
}

timespec toTimespec(const QDateTime& stamp) {
    const qint64 ms = stamp.toMSecsSinceEpoch();
    timespec ts{};
    ts.tv_sec = time_t(ms / 1000);
    ts.tv_nsec = long(ms % 1000) * 1000000;
    if (ts.tv_nsec < 0) {
        ts.tv_sec -= 1;
        ts.tv_nsec += 1000000000;
    }
    return ts;
}

quint8 attributesOf(const struct stat& st) {
    quint8 result = S_ISDIR(st.st_mode) ? 0 : DosAttr::Archive;
    if (!(st.st_mode & S_IWUSR))
        result |= DosAttr::ReadOnly;
    return result;
}

class HostReader : public DosReader {
public:
    HostReader(int fd, QString where) : m_fd(fd), m_where(std::move(where)) { ::fstat(m_fd, &m_stat); }
    ~HostReader() override { ::close(m_fd); }
    HostReader(const HostReader&) = delete;
    HostReader& operator=(const HostReader&) = delete;

    qint64 read(char* data, qint64 size) override {
        for (;;) {
            const ssize_t n = ::read(m_fd, data, size_t(size));
            if (n >= 0)
                return n;
            if (errno != EINTR)
                throw IoError(QStringLiteral("Cannot read %1: %2").arg(m_where, systemError(errno)));
        }
    }
    QDateTime fileTime() const override { return fromTimespec(m_stat.st_mtim); }
    quint8 attributes() const override { return attributesOf(m_stat); }

private:
    int m_fd;
    QString m_where;
    struct stat m_stat {};
};

class HostWriter : public DosWriter {
public:
    HostWriter(int fd, QString where) : m_fd(fd), m_where(std::move(where)) {}
    ~HostWriter() override {
        try {
            finish();
        } catch (const IoError&) {
        }
    }
    HostWriter(const HostWriter&) = delete;
    HostWriter& operator=(const HostWriter&) = delete;

    qint64 write(const char* data, qint64 size) override {
        if (m_fd < 0)
            throw IoError(QStringLiteral("Cannot write %1: the file is closed").arg(m_where));
        qint64 done = 0;
        while (done < size) {
            const ssize_t n = ::write(m_fd, data + done, size_t(size - done));
            if (n > 0) {
                done += n;
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            // A full disk is a short write, as on DOS; anything else is a real failure.
            if (n == 0 || errno == ENOSPC || errno == EDQUOT || errno == EFBIG)
                break;
            throw IoError(QStringLiteral("Cannot write %1: %2").arg(m_where, systemError(errno)));
        }
        return done;
    }

    void setFileTime(const QDateTime& stamp) override { m_stamp = stamp; }

    void close() override { finish(); }

private:
    void finish() {
        if (m_fd < 0)
            return;
        const int fd = std::exchange(m_fd, -1);
        int error = 0;
        struct stat st {};
        // Only a regular file takes the stamp: a device standing in for the file keeps its own.
        if (m_stamp.isValid() && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
            const timespec times[2] = {{0, UTIME_OMIT}, toTimespec(m_stamp)};
            if (::futimens(fd, times) != 0)
                error = errno;
        }
        if (::close(fd) != 0 && error == 0 && errno != EINTR)
            error = errno;
        if (error != 0)
            throw IoError(QStringLiteral("Cannot close %1: %2").arg(m_where, systemError(error)));
    }

    int m_fd;
    QString m_where;
    QDateTime m_stamp;
};

} // namespace

DirectoryVolume::DirectoryVolume(QString root) : m_root(std::move(root)) {}

DirectoryVolume::Resolved DirectoryVolume::resolve(const QStringList& parts) const {
    QString current = m_root;
    for (const QString& part : parts)
        current = join(current, part);
    // A path that exists as spelled is found in its spelling at every step: one look does.
    if (parts.isEmpty() || ::access(QFile::encodeName(current).constData(), F_OK) == 0)
        return {current, parts.size()};
    current = m_root;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString exact = join(current, parts[i]);
        // Held, the listing answers for the spelling as given too.
        const QString match =
            !m_listings.held() && QFileInfo::exists(exact) ? parts[i] : m_listings.entry(current, parts[i]);
        if (match.isEmpty()) {
            QString rest = current;
            for (qsizetype j = i; j < parts.size(); ++j)
                rest = join(rest, parts[j]);
            return {rest, i};
        }
        current = join(current, match);
    }
    return {current, parts.size()};
}

QString DirectoryVolume::where(const VolumePath& path, const QString& hostPath) const {
    if (path.shown.isEmpty() || path.shown == hostPath)
        return hostPath;
    return QStringLiteral("%1 (%2)").arg(path.shown, hostPath);
}

QString DirectoryVolume::existing(const VolumePath& path, const QString& verb) const {
    const Resolved r = resolve(path.parts);
    if (r.found < path.parts.size() || !QFileInfo::exists(r.hostPath))
        throw IoError(QStringLiteral("Cannot %1 %2: no such file").arg(verb, where(path, r.hostPath)));
    return r.hostPath;
}

bool DirectoryVolume::fileExists(const VolumePath& path) {
    const Resolved r = resolve(path.parts);
    struct stat st {};
    return !path.parts.isEmpty() && r.found == path.parts.size() && statPath(r.hostPath, &st) &&
           !S_ISDIR(st.st_mode);
}

bool DirectoryVolume::directoryExists(const VolumePath& path) {
    const Resolved r = resolve(path.parts);
    return r.found == path.parts.size() && QFileInfo(r.hostPath).isDir();
}

std::unique_ptr<DosReader> DirectoryVolume::openRead(const VolumePath& path) {
    const QString host = existing(path, QStringLiteral("open"));
    if (QFileInfo(host).isDir())
        throw IoError(QStringLiteral("Cannot open %1: it is a directory").arg(where(path, host)));
    const int fd = ::open(QFile::encodeName(host).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw IoError(QStringLiteral("Cannot open %1: %2").arg(where(path, host), systemError(errno)));
    return std::make_unique<HostReader>(fd, where(path, host));
}

std::unique_ptr<DosWriter> DirectoryVolume::create(const VolumePath& path) {
    const Resolved r = resolve(path.parts);
    const QString shown = where(path, r.hostPath);
    int flags = O_WRONLY | O_TRUNC | O_CLOEXEC;
    if (path.parts.isEmpty())
        throw IoError(QStringLiteral("Cannot create %1: it is a directory").arg(shown));
    if (r.found == path.parts.size()) {
        struct stat st {};
        if (statPath(r.hostPath, &st) && S_ISDIR(st.st_mode))
            throw IoError(QStringLiteral("Cannot create %1: it is a directory").arg(shown),
                          IoError::Problem::FolderInTheWay);
        if (statPath(r.hostPath, &st) && S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR))
            throw IoError(QStringLiteral("Cannot create %1: the file is read-only").arg(shown),
                          IoError::Problem::ReadOnlyFile);
    } else if (r.found < path.parts.size() - 1 || !QFileInfo(m_root).isDir()) {
        throw IoError(QStringLiteral("Cannot create %1: the directory %2 does not exist")
                          .arg(shown, QFileInfo(r.hostPath).path()));
    } else {
        flags |= O_CREAT;
    }
    const int fd = ::open(QFile::encodeName(r.hostPath).constData(), flags, 0666);
    if (fd < 0) {
        const int error = errno;
        throw IoError(QStringLiteral("Cannot create %1: %2").arg(shown, systemError(error)),
                      problemOf(error));
    }
    if (flags & O_CREAT) {
        const auto [dir, name] = splitHostPath(r.hostPath);
        m_listings.added(dir, name);
    }
    return std::make_unique<HostWriter>(fd, shown);
}

void DirectoryVolume::remove(const VolumePath& path) {
    const QString host = existing(path, QStringLiteral("delete"));
    struct stat st {};
    if (statPath(host, &st) && S_ISDIR(st.st_mode))
        throw IoError(QStringLiteral("Cannot delete %1: it is a directory").arg(where(path, host)));
    if (S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR))
        throw IoError(QStringLiteral("Cannot delete %1: the file is read-only").arg(where(path, host)));
    if (::unlink(QFile::encodeName(host).constData()) != 0)
        throw IoError(QStringLiteral("Cannot delete %1: %2").arg(where(path, host), systemError(errno)));
    const auto [dir, name] = splitHostPath(host);
    m_listings.removed(dir, name);
}

void DirectoryVolume::makeDirectory(const VolumePath& path) {
    const Resolved r = resolve(path.parts);
    const QString shown = where(path, r.hostPath);
    if (r.found == path.parts.size()) {
        if (QFileInfo(r.hostPath).isDir())
            return;
        throw IoError(QStringLiteral("Cannot make the directory %1: a file of that name exists").arg(shown));
    }
    if (r.found < path.parts.size() - 1 || !QFileInfo(m_root).isDir())
        throw IoError(QStringLiteral("Cannot make the directory %1: the directory %2 does not exist")
                          .arg(shown, QFileInfo(r.hostPath).path()));
    if (::mkdir(QFile::encodeName(r.hostPath).constData(), 0777) != 0)
        throw IoError(QStringLiteral("Cannot make the directory %1: %2").arg(shown, systemError(errno)));
    const auto [dir, name] = splitHostPath(r.hostPath);
    m_listings.madeDirectory(dir, name);
}

QDateTime DirectoryVolume::fileTime(const VolumePath& path) {
    const QString host = existing(path, QStringLiteral("read the date of"));
    struct stat st {};
    if (!statPath(host, &st))
        throw IoError(
            QStringLiteral("Cannot read the date of %1: %2").arg(where(path, host), systemError(errno)));
    return fromTimespec(st.st_mtim);
}

void DirectoryVolume::setFileTime(const VolumePath& path, const QDateTime& stamp) {
    const QString host = existing(path, QStringLiteral("set the date of"));
    const timespec times[2] = {{0, UTIME_OMIT}, toTimespec(stamp)};
    if (::utimensat(AT_FDCWD, QFile::encodeName(host).constData(), times, 0) != 0)
        throw IoError(
            QStringLiteral("Cannot set the date of %1: %2").arg(where(path, host), systemError(errno)));
}

quint8 DirectoryVolume::attributes(const VolumePath& path) {
    const QString host = existing(path, QStringLiteral("read the attributes of"));
    struct stat st {};
    if (!statPath(host, &st))
        throw IoError(QStringLiteral("Cannot read the attributes of %1: %2")
                          .arg(where(path, host), systemError(errno)));
    return attributesOf(st);
}

std::optional<quint8> DirectoryVolume::attributesIfPresent(const VolumePath& path) {
    const Resolved r = resolve(path.parts);
    struct stat st {};
    if (r.found < path.parts.size() || !statPath(r.hostPath, &st))
        return std::nullopt;
    return attributesOf(st);
}

void DirectoryVolume::setAttributes(const VolumePath& path, quint8 attributes) {
    const QString host = existing(path, QStringLiteral("set the attributes of"));
    struct stat st {};
    if (!statPath(host, &st))
        throw IoError(
            QStringLiteral("Cannot set the attributes of %1: %2").arg(where(path, host), systemError(errno)));
    // Clearing read-only gives back the owner's write permission only: which group and other
    // permissions the file had before it was made read-only is not known any more.
    const mode_t mode = (attributes & DosAttr::ReadOnly) ? (st.st_mode & ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH))
                                                         : (st.st_mode | S_IWUSR);
    if ((mode & 07777) == (st.st_mode & 07777))
        return;
    if (::chmod(QFile::encodeName(host).constData(), mode & 07777) != 0)
        throw IoError(
            QStringLiteral("Cannot set the attributes of %1: %2").arg(where(path, host), systemError(errno)));
}

QString DirectoryVolume::fileIdentity(const VolumePath& path) {
    const Resolved r = resolve(path.parts);
    struct stat st {};
    if (path.parts.isEmpty() || r.found < path.parts.size() || !statPath(r.hostPath, &st) ||
        S_ISDIR(st.st_mode))
        return {};
    return QStringLiteral("host:%1:%2").arg(quint64(st.st_dev)).arg(quint64(st.st_ino));
}

void DirectoryVolume::replaceFile(const VolumePath& path, const QByteArray& data) {
    const Resolved r = resolve(path.parts);
    const QString shown = where(path, r.hostPath);
    if (path.parts.isEmpty() || r.found < path.parts.size() - 1)
        throw IoError(QStringLiteral("Cannot write %1: the directory does not exist").arg(shown));
    struct stat st {};
    if (r.found == path.parts.size() && statPath(r.hostPath, &st)) {
        if (S_ISDIR(st.st_mode))
            throw IoError(QStringLiteral("Cannot write %1: it is a directory").arg(shown));
        if (!(st.st_mode & S_IWUSR))
            throw IoError(QStringLiteral("Cannot write %1: the file is read-only").arg(shown));
    }
    ReplacementFile::replace(r.hostPath, data);
    const auto [dir, name] = splitHostPath(r.hostPath);
    m_listings.added(dir, name);
}

FileLock DirectoryVolume::lockForUpdate(const VolumePath& path) {
    const Resolved r = resolve(path.parts);
    if (path.parts.isEmpty() || r.found < path.parts.size())
        return {};
    return FileLock::onFile(r.hostPath, FileLock::Mode::Exclusive);
}

qint64 DirectoryVolume::fileSize(const VolumePath& path) {
    const Resolved r = resolve(path.parts);
    struct stat st {};
    if (path.parts.isEmpty() || r.found < path.parts.size() || !statPath(r.hostPath, &st) ||
        S_ISDIR(st.st_mode))
        return -1;
    return st.st_size;
}

VolumeSpace DirectoryVolume::space() {
    struct statvfs fs {};
    if (::statvfs(QFile::encodeName(m_root).constData(), &fs) != 0)
        throw IoError(QStringLiteral("Cannot find the free space of %1: %2").arg(m_root, systemError(errno)));
    VolumeSpace space;
    space.unit = qint64(fs.f_frsize ? fs.f_frsize : fs.f_bsize);
    space.freeBytes = qint64(fs.f_bavail) * space.unit;
    return space;
}

QString DirectoryVolume::describe(const VolumePath& path) {
    return resolve(path.parts).hostPath;
}

QList<ReadBack> DirectoryVolume::readBack(const QList<VolumePath>& paths) {
    // On a mounted diskette or stick: onto the medium first, all files in one go, and then out of
    // the cache file by file, so that what is read is what the medium holds, not what the kernel
    // was handed. On the host's own disks the sync would flush every program's writes (a tenth of a
    // second and more on a busy machine, several times the build) and reading proves nothing more.
    // Dropping the cached pages likewise only there: elsewhere it starts each file's write-out to
    // the disk, which the build then waits for, and the read takes the same bytes either way.
    bool dosMedium = false;
    const int rootFd = ::open(QFile::encodeName(m_root).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (rootFd >= 0) {
        dosMedium = onDosMedium(rootFd);
        if (dosMedium)
            ::syncfs(rootFd);
        ::close(rootFd);
    }
    QList<ReadBack> out;
    for (const VolumePath& path : paths) {
        ReadBack file;
        const Resolved r = resolve(path.parts);
        const bool found = r.found == path.parts.size() && !path.parts.isEmpty();
        const int fd = found ? ::open(QFile::encodeName(r.hostPath).constData(), O_RDONLY | O_CLOEXEC) : -1;
        if (fd < 0) {
            file.error = QStringLiteral("Cannot read %1: %2")
                             .arg(where(path, r.hostPath),
                                  found ? systemError(errno) : QStringLiteral("no such file"));
            out.append(file);
            continue;
        }
        if (dosMedium)
            ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        char block[65536];
        ssize_t n = 0;
        while ((n = ::read(fd, block, sizeof block)) > 0 || (n < 0 && errno == EINTR))
            if (n > 0)
                file.data.append(block, n);
        if (n < 0)
            file.error =
                QStringLiteral("Cannot read %1: %2").arg(where(path, r.hostPath), systemError(errno));
        file.ok = n == 0;
        ::close(fd);
        out.append(file);
    }
    return out;
}
