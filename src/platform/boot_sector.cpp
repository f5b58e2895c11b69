#include "platform/boot_sector.h"

#include <QFile>

namespace {

int le16(const QByteArray& b, int at) {
    return quint8(b[at]) | (quint8(b[at + 1]) << 8);
}

qint64 le32(const QByteArray& b, int at) {
    return qint64(le16(b, at)) | (qint64(le16(b, at + 2)) << 16);
}

bool powerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

BootSector refused(const QString& problem) {
    return {std::nullopt, problem};
}

} // namespace

BootSector BootSector::read(const QByteArray& boot) {
    if (boot.size() < kBytes)
        return refused(QStringLiteral("it is %1 bytes long, too short for a diskette").arg(boot.size()));
    FatLayout l;
    l.bytesPerSector = le16(boot, 11);
    l.sectorsPerCluster = quint8(boot[13]);
    l.reservedSectors = le16(boot, 14);
    l.fatCount = quint8(boot[16]);
    l.rootEntries = le16(boot, 17);
    l.totalSectors = le16(boot, 19);
    if (l.totalSectors == 0)
        l.totalSectors = le32(boot, 32);
    const int media = quint8(boot[21]);
    l.sectorsPerFat = le16(boot, 22);
    // A diskette's sector is never smaller than the 512 bytes DOS reads a boot sector in; 0xF0 and
    // 0xF8-0xFF are the media bytes FAT defines.
    if (!powerOfTwo(l.bytesPerSector) || l.bytesPerSector < kBytes || l.bytesPerSector > 4096 ||
        !powerOfTwo(l.sectorsPerCluster) || l.reservedSectors < 1 || l.fatCount < 1 || l.rootEntries < 1 ||
        l.sectorsPerFat < 1 || (media != 0xF0 && media < 0xF8))
        return refused(QStringLiteral("it does not begin with the boot sector of a FAT file system"));
    const qint64 dataSectors = l.totalSectors - l.dataOffset() / l.bytesPerSector;
    if (dataSectors <= 0)
        return refused(QStringLiteral("its boot sector describes no room for files"));
    l.clusterCount = dataSectors / l.sectorsPerCluster;
    // FAT12 is told apart by its number of clusters, as every FAT driver does it.
    if (l.clusterCount >= 4085)
        return refused(QStringLiteral("it holds a FAT16 or FAT32 file system, not the FAT12 of a diskette"));
    // Room for an entry of every cluster, and the two bytes the last one is read from.
    if ((l.clusterCount + 2) * 12 / 8 + 2 > qint64(l.sectorsPerFat) * l.bytesPerSector)
        return refused(QStringLiteral("its FAT is too small for the clusters its boot sector describes"));
    return {l, {}};
}

BootSector BootSector::readFile(const QString& path) {
    QFile file(path);
    return read(file.open(QIODevice::ReadOnly) ? file.read(kBytes) : QByteArray());
}
