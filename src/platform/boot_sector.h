#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// A diskette's FAT12 file system as its boot sector describes it.
struct FatLayout {
    int bytesPerSector = 0;
    int sectorsPerCluster = 0;
    int reservedSectors = 0;
    int fatCount = 0;
    int rootEntries = 0;
    int sectorsPerFat = 0;
    qint64 totalSectors = 0;
    qint64 clusterCount = 0;

    qint64 clusterBytes() const { return qint64(bytesPerSector) * sectorsPerCluster; }
    qint64 fatOffset() const { return qint64(reservedSectors) * bytesPerSector; }
    qint64 rootOffset() const { return fatOffset() + qint64(fatCount) * sectorsPerFat * bytesPerSector; }
    // Where cluster 2 begins: after the root directory, in whole sectors.
    qint64 dataOffset() const {
        const qint64 rootSectors = (qint64(rootEntries) * 32 + bytesPerSector - 1) / bytesPerSector;
        return rootOffset() + rootSectors * bytesPerSector;
    }
};

// The one reader of a boot sector, for every caller that takes a file for a diskette: what it
// describes, or why the file is no FAT12 diskette.
struct BootSector {
    static constexpr int kBytes = 512;

    std::optional<FatLayout> layout;
    QString problem; // "it is 10 bytes long, too short for a diskette"; empty with a layout

    static BootSector read(const QByteArray& firstBytes);
    // An unreadable file reads as an empty one.
    static BootSector readFile(const QString& path);
};
