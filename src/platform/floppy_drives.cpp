#include "platform/floppy_drives.h"

#include "platform/diskette.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

QString readLine(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(file.readLine()).trimmed();
}

// The device's own "major:minor" and those of its partitions: a mount of /dev/sdb1 holds /dev/sdb.
QSet<QString> devNumbers(const QString& sysDir) {
    QSet<QString> numbers;
    const QString own = readLine(sysDir + QStringLiteral("/dev"));
    if (!own.isEmpty())
        numbers.insert(own);
    const QDir dir(sysDir);
    for (const QString& entry : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString sub = dir.filePath(entry);
        if (QFileInfo::exists(sub + QStringLiteral("/partition"))) {
            const QString number = readLine(sub + QStringLiteral("/dev"));
            if (!number.isEmpty())
                numbers.insert(number);
        }
    }
    return numbers;
}

// mountinfo writes blanks, tabs, line breaks and backslashes in paths as \ and three octal digits.
QString unescapeMountPath(const QByteArray& field) {
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok && code < 256) {
                out += char(code);
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return QFile::decodeName(out);
}

QString mountPointOf(const QSet<QString>& numbers, const QString& mountInfo) {
    if (numbers.isEmpty())
        return {};
    QFile file(mountInfo);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // "36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 - ext3 /dev/root rw": the third field is the
    // mounted device, the fifth where it is mounted.
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() >= 5 && numbers.contains(QString::fromLatin1(fields[2])))
            return unescapeMountPath(fields[4]);
    }
    return {};
}

QString modelOf(const QString& sysDir) {
    QStringList words;
    for (const char* name : {"device/vendor", "device/model"}) {
        const QString word = readLine(sysDir + QLatin1Char('/') + QLatin1String(name));
        if (!word.isEmpty())
            words << word.simplified();
    }
    return words.join(QLatin1Char(' '));
}

bool isBlockDevice(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISBLK(st.st_mode);
}

QString bytes(qint64 n) {
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(n);
}

} // namespace

bool FloppyDrive::usable() const {
    return mountPoint.isEmpty() && (size < 0 || size == Diskette::kBytes);
}

QString FloppyDrive::describe() const {
    return model.isEmpty() ? device : QStringLiteral("%1 (%2)").arg(device, model);
}

namespace FloppyDrives {

QList<FloppyDrive> list(const SystemView& system) {
    static const QRegularExpression fdName(QStringLiteral("^fd[0-9]+$"));
    QList<FloppyDrive> drives;
    QSet<QString> seen;
    const QDir sys(system.sysBlock);
    for (const QString& name : sys.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString dir = sys.filePath(name);
        bool sizeKnown = false;
        const qint64 sectors = readLine(dir + QStringLiteral("/size")).toLongLong(&sizeKnown);
        const bool removable = readLine(dir + QStringLiteral("/removable")) == QLatin1String("1");
        // The block layer counts in 512-byte sectors whatever the device's own sector size.
        const qint64 size = sizeKnown ? sectors * 512 : -1;
        if (!fdName.match(name).hasMatch() && !(removable && size == Diskette::kBytes))
            continue;
        FloppyDrive drive;
        drive.device = QDir(system.dev).filePath(name);
        drive.model = modelOf(dir);
        drive.size = size;
        drive.mountPoint = mountPointOf(devNumbers(dir), system.mountInfo);
        drives << drive;
        seen.insert(name);
    }
    // A floppy driver that does not show in /sys still has its nodes.
    const QDir dev(system.dev);
    for (const QString& name :
         dev.entryList({QStringLiteral("fd*")}, QDir::System | QDir::Files, QDir::Name)) {
        if (seen.contains(name) || !fdName.match(name).hasMatch() || !isBlockDevice(dev.filePath(name)))
            continue;
        FloppyDrive drive;
        drive.device = dev.filePath(name);
        drives << drive;
    }
    return drives;
}

QList<FloppyDrive> usable(const SystemView& system) {
    QList<FloppyDrive> drives = list(system);
    drives.removeIf([](const FloppyDrive& drive) { return !drive.usable(); });
    return drives;
}

QString mountPoint(const QString& devNumber, const SystemView& system) {
    const QString sysDir = QFileInfo(QDir(system.sysDevBlock).filePath(devNumber)).canonicalFilePath();
    QSet<QString> numbers{devNumber};
    if (!sysDir.isEmpty())
        numbers.unite(devNumbers(sysDir));
    return mountPointOf(numbers, system.mountInfo);
}

QString writeRefusal(const QString& device, const SystemView& system) {
    struct stat st {};
    const QByteArray path = QFile::encodeName(device);
    if (::stat(path.constData(), &st) != 0 || !S_ISBLK(st.st_mode))
        return {};
    const QString number = QStringLiteral("%1:%2").arg(major(st.st_rdev)).arg(minor(st.st_rdev));
    const QString mounted = mountPoint(number, system);
    if (!mounted.isEmpty())
        return QStringLiteral("the device is mounted on %1; unmount it first (umount %1)").arg(mounted);

    // O_EXCL on a block device fails while the system holds it (a mount under another name, swap,
    // a RAID or LVM member); O_NONBLOCK lets a floppy drive without a diskette open at once.
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_EXCL);
    if (fd < 0) {
        if (errno == EBUSY)
            return QStringLiteral("the device is in use by the system (%1)")
                .arg(QString::fromLocal8Bit(std::strerror(EBUSY)));
        return {};
    }
    quint64 size = 0;
    const bool sized = ::ioctl(fd, BLKGETSIZE64, &size) == 0;
    // Such a device opens for writing all the same; only its writes fail.
    int readOnly = 0;
    const bool writeProtected = ::ioctl(fd, BLKROGET, &readOnly) == 0 && readOnly != 0;
    ::close(fd);
    if (writeProtected)
        return QStringLiteral("the diskette is write-protected (the device is read-only)");
    if (sized && size != quint64(Diskette::kBytes))
        return QStringLiteral("the device holds %1 bytes, not a 1.44 MB diskette (%2 bytes); only a floppy "
                              "diskette is written, never a USB stick or a hard disk")
            .arg(bytes(qint64(size)), bytes(Diskette::kBytes));
    return {};
}

} // namespace FloppyDrives
