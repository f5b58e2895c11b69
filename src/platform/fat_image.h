#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// A FAT12 or FAT16 file system as its boot sector describes it.
struct FatLayout {
    int bytesPerSector = 0;
    int sectorsPerCluster = 0;
    int reservedSectors = 0;
    int fatCount = 0;
    int rootEntries = 0;
    int sectorsPerFat = 0;
    qint64 totalSectors = 0;
    qint64 clusterCount = 0;
    int fatBits = 0; // 12 or 16

    qint64 clusterBytes() const { return qint64(bytesPerSector) * sectorsPerCluster; }
    qint64 fatOffset() const { return qint64(reservedSectors) * bytesPerSector; }
    qint64 rootOffset() const { return fatOffset() + qint64(fatCount) * sectorsPerFat * bytesPerSector; }
    // Null when the sector is not the boot sector of a FAT12 or FAT16 file system.
    static std::optional<FatLayout> parse(const QByteArray& bootSector);
};

// What a FAT diskette has room for: free space in whole clusters and free root-directory entries.
struct FatFree {
    qint64 clusterBytes = 0;
    qint64 freeBytes = 0;
    int freeRootEntries = 0;
};

// Reads the boot sector, the first FAT and the root directory straight from an image file or a
// floppy device: a few kilobytes, and no mtools process.
namespace FatImage {

// Null when the file cannot be read or holds no FAT12/FAT16 file system.
std::optional<FatFree> readFree(const QString& path);
// What a blank diskette made by mformat -f 1440 offers.
FatFree blankDiskette();
// Empty when path can serve as the template of new diskette images (a 1,474,560-byte FAT12
// image); otherwise why not, in words.
QString templateProblem(const QString& path);

} // namespace FatImage
