#pragma once

#include "platform/boot_sector.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <optional>

// What a FAT diskette has room for: free space in whole clusters and free root-directory entries.
struct FatFree {
    qint64 clusterBytes = 0;
    qint64 freeBytes = 0;
    int freeRootEntries = 0;
};

// Reads the boot sector, the first FAT and the root directory straight from an image file or a
// floppy device: a few kilobytes, and no mtools process.
namespace FatImage {

// Null when the file cannot be read or holds no FAT12 file system.
std::optional<FatFree> readFree(const QString& path);
// What a blank diskette made by mformat -f 1440 offers.
FatFree blankDiskette();
// The first sectors of a blank 1.44 MB diskette (boot sector, FATs, root directory; the rest is
// zeros), in the layout mformat -f 1440 writes, whose boot sector carries the given volume serial
// number and a loader that says the diskette holds no system.
QByteArray blankSystemArea(quint32 serial);
// The parts of an image that a copy must hold for the same file system: the boot sector, FATs and
// root directory, and every cluster the FAT does not mark free (files, directories, bad or reserved
// clusters), as (offset, length) runs; the rest of a copy may read as zeros. The whole image when
// it holds no FAT12 file system this program can read.
QList<QPair<qint64, qint64>> usedRegions(const QByteArray& image);
// Empty when path can serve as the template of new diskette images (a 1,474,560-byte FAT12
// image); otherwise why not, in words.
QString templateProblem(const QString& path);

} // namespace FatImage
