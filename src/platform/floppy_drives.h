#pragma once

#include <QList>
#include <QString>

// A diskette drive of this machine: a /dev/fd drive, or a removable block device that holds
// exactly one 1.44 MB diskette (a USB floppy drive).
struct FloppyDrive {
    QString device;     // "/dev/sdb"
    QString model;      // "TEAC FD-05PUB", as the system names it; empty when it names none
    qint64 size = -1;   // bytes, -1 when the system does not say
    QString mountPoint; // where the diskette is mounted; empty when it is not
    // Not mounted, and a 1.44 MB diskette or a drive that does not tell its size.
    bool usable() const;
    // "/dev/sdb (TEAC FD-05PUB)", "/dev/fd0".
    QString describe() const;
};

namespace FloppyDrives {

// Where the system tells about block devices and mounts. Tests hand in trees of their own.
struct SystemView {
    QString sysBlock = QStringLiteral("/sys/block");
    QString sysDevBlock = QStringLiteral("/sys/dev/block");
    QString dev = QStringLiteral("/dev");
    QString mountInfo = QStringLiteral("/proc/self/mountinfo");
};

// Every floppy drive of the machine, by device name.
QList<FloppyDrive> list(const SystemView& system = {});
// The drives a person can pick as a diskette drive: list() less the mounted and the wrong-sized.
QList<FloppyDrive> usable(const SystemView& system = {});

// Why the program must not write to this block device, in words for a message ("it is mounted on
// /media/floppy; ..."); empty when it may. A USB stick or a hard disk is refused by its size, a
// write-protected diskette by the device's read-only flag.
// Anything that is not a block device, or cannot be opened, gets an empty text: the write that
// follows reports it.
QString writeRefusal(const QString& device, const SystemView& system = {});

// Where a block device (given by its "major:minor") or any partition of it is mounted, or empty.
QString mountPoint(const QString& devNumber, const SystemView& system = {});

} // namespace FloppyDrives
