#include "platform/fat_image.h"

#include "platform/diskette.h"

#include <QFile>
#include <QFileInfo>

namespace {

int le16(const QByteArray& b, int at) {
    return quint8(b[at]) | (quint8(b[at + 1]) << 8);
}

// 1474560 -> "1,474,560", as people read sizes.
QString grouped(qint64 n) {
    QString digits = QString::number(n);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, u',');
    return digits;
}

// The standard 1.44 MB geometry, as mformat -f 1440 writes it.
FatLayout disketteLayout() {
    FatLayout l;
    l.bytesPerSector = Diskette::kSectorBytes;
    l.sectorsPerCluster = 1;
    l.reservedSectors = 1;
    l.fatCount = 2;
    l.rootEntries = 224;
    l.sectorsPerFat = 9;
    l.totalSectors = Diskette::kSectors;
    l.clusterCount = Diskette::kSectors - 1 - 18 - 14;
    return l;
}

quint32 fatEntry(const QByteArray& fat, qint64 cluster) {
    const int at = int(cluster * 3 / 2);
    const quint32 pair = quint32(le16(fat, at));
    return (cluster & 1) ? pair >> 4 : pair & 0xFFF;
}

} // namespace

namespace FatImage {

std::optional<FatFree> readFree(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const std::optional<FatLayout> layout = BootSector::read(file.read(BootSector::kBytes)).layout;
    if (!layout)
        return std::nullopt;
    const qint64 fatBytes = qint64(layout->sectorsPerFat) * layout->bytesPerSector;
    const qint64 rootBytes = qint64(layout->rootEntries) * 32;
    if (!file.seek(layout->fatOffset()))
        return std::nullopt;
    const QByteArray fat = file.read(fatBytes);
    if (!file.seek(layout->rootOffset()))
        return std::nullopt;
    const QByteArray root = file.read(rootBytes);
    if (fat.size() != fatBytes || root.size() != rootBytes)
        return std::nullopt;

    FatFree free;
    free.clusterBytes = layout->clusterBytes();
    qint64 freeClusters = 0;
    for (qint64 cluster = 2; cluster < layout->clusterCount + 2; ++cluster)
        if (fatEntry(fat, cluster) == 0)
            ++freeClusters;
    free.freeBytes = freeClusters * free.clusterBytes;
    for (int entry = 0; entry < layout->rootEntries; ++entry) {
        const quint8 first = quint8(root[qsizetype{entry} * 32]);
        if (first == 0x00 || first == 0xE5)
            ++free.freeRootEntries;
    }
    return free;
}

FatFree blankDiskette() {
    const FatLayout l = disketteLayout();
    return {l.clusterBytes(), l.clusterCount * l.clusterBytes(), l.rootEntries};
}

QString templateProblem(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("the template image %1 does not exist").arg(path);
    if (!info.isFile())
        return QStringLiteral("the template %1 is not an image file").arg(path);
    if (info.size() != Diskette::kBytes)
        return QStringLiteral("the template image %1 is %2 bytes, not the %3 of a 1.44 MB diskette")
            .arg(path, grouped(info.size()), grouped(Diskette::kBytes));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("the template image %1 cannot be read (%2)").arg(path, file.errorString());
    const std::optional<FatLayout> layout = BootSector::read(file.read(BootSector::kBytes)).layout;
    if (!layout || layout->totalSectors * layout->bytesPerSector != Diskette::kBytes)
        return QStringLiteral(
                   "the template image %1 holds no FAT12 diskette (its boot sector says otherwise)")
            .arg(path);
    return {};
}

} // namespace FatImage
