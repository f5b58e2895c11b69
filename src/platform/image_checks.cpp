#include "platform/image_checks.h"

#include "platform/boot_sector.h"
#include "platform/diskette.h"
#include "platform/floppy_drives.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace ImageChecks {

namespace {

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// A new image, and the working copy of an existing one, are made in the image's folder.
QString folderRefusal(const QString& folder) {
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("its folder %1 does not exist").arg(folder);
    if (::access(QFile::encodeName(folder).constData(), W_OK) != 0) {
        const int error = errno;
        return QStringLiteral("its folder %1 cannot be written (%2)").arg(folder, systemError(error));
    }
    return {};
}

} // namespace

QString writeRefusal(const QString& image, bool device) {
    const QString folder = QFileInfo(image).absolutePath();
    if (device) {
        if (QString refused = FloppyDrives::writeRefusal(image); !refused.isEmpty())
            return refused;
    } else if (!QFileInfo::exists(image)) {
        return folderRefusal(folder);
    }
    const int fd = ::open(QFile::encodeName(image).constData(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        return QStringLiteral("it cannot be opened for writing (%1)").arg(systemError(error));
    }
    ::close(fd);
    return device ? QString() : folderRefusal(folder);
}

DisketteCheck check(const QString& image, bool device, const QString& file) {
    DisketteCheck result;
    if (const QString why = writeRefusal(image, device); !why.isEmpty())
        result.unwritable = QStringLiteral("Cannot write to the diskette %1: %2").arg(image, why);
    if (file.isEmpty())
        return result;
    if (const QString why = BootSector::readFile(file).problem; !why.isEmpty()) {
        result.refusal = QStringLiteral("Cannot use %1 as a diskette: it is not a FAT12 diskette image (%2)")
                             .arg(image, why);
        return result;
    }
    if (const qint64 size = QFileInfo(file).size(); size != Diskette::kBytes) {
        const QLocale english(QLocale::English);
        result.warning = QStringLiteral("The diskette image %1 is %2 bytes, not the %3 bytes of a 1.44 MB "
                                        "diskette: it may be cut short or be another kind of diskette.")
                             .arg(image, english.toString(size), english.toString(Diskette::kBytes));
    }
    return result;
}

} // namespace ImageChecks
