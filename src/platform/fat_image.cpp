#include "platform/fat_image.h"

#include "platform/diskette.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

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

constexpr int kMedia = 0xF0; // a 3.5-inch high-density diskette

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

QByteArray blankSystemArea(quint32 serial) {
    const FatLayout l = disketteLayout();
    QByteArray image(l.dataOffset(), '\0');
    char* b = image.data();
    const auto put16 = [b](int at, int value) {
        b[at] = char(value & 0xFF);
        b[at + 1] = char((value >> 8) & 0xFF);
    };
    // Fixed-width fields without a terminating zero.
    const auto putText = [b](int at, QByteArrayView text) {
        std::copy_n(text.data(), text.size(), b + at);
    };
    // Jump over the parameter block to the loader, then the name of the formatting system.
    putText(0, "\xEB\x3C\x90"
               "MSDOS5.0");
    put16(11, l.bytesPerSector);
    b[13] = char(l.sectorsPerCluster);
    put16(14, l.reservedSectors);
    b[16] = char(l.fatCount);
    put16(17, l.rootEntries);
    put16(19, int(l.totalSectors));
    b[21] = char(kMedia);
    put16(22, l.sectorsPerFat);
    put16(24, 18);      // sectors per track
    put16(26, 2);       // heads
    b[38] = char(0x29); // the extended block follows: serial, label, file system name
    for (int i = 0; i < 4; ++i)
        b[39 + i] = char((serial >> (8 * i)) & 0xFF);
    putText(43, "NO NAME    FAT12   ");
    // The loader of a diskette without a system: it says so, waits for a key and has the BIOS
    // try the next boot device (int 19h). Real-mode code at 0:7C3E, its message at 0:7C60.
    static constexpr unsigned char kLoader[] = {
        0xFA,             // cli
        0x31, 0xC0,       // xor ax, ax
        0x8E, 0xD8,       // mov ds, ax
        0x8E, 0xD0,       // mov ss, ax
        0xBC, 0x00, 0x7C, // mov sp, 7C00h
        0xFB,             // sti
        0xBE, 0x60, 0x7C, // mov si, 7C60h
        0xAC,             // next: lodsb
        0x84, 0xC0,       // test al, al
        0x74, 0x09,       // jz wait
        0xB4, 0x0E,       // mov ah, 0Eh (teletype output)
        0xBB, 0x07, 0x00, // mov bx, 0007h
        0xCD, 0x10,       // int 10h
        0xEB, 0xF2,       // jmp next
        0x31, 0xC0,       // wait: xor ax, ax
        0xCD, 0x16,       // int 16h (read a key)
        0xCD, 0x19,       // int 19h (boot the next device)
    };
    static_assert(0x3E + sizeof(kLoader) == 0x60);
    std::memcpy(b + 0x3E, kLoader, sizeof(kLoader));
    static constexpr char kMessage[] = "\r\nNon-system disk or disk error\r\n"
                                       "Replace and press any key when ready\r\n";
    std::memcpy(b + 0x60, kMessage, sizeof(kMessage)); // with its terminating zero
    b[510] = char(0x55);
    b[511] = char(0xAA);
    // Each FAT begins with the media byte and an end-of-chain mark; every cluster is free.
    for (int fat = 0; fat < l.fatCount; ++fat) {
        char* first = b + l.fatOffset() + qint64(fat) * l.sectorsPerFat * l.bytesPerSector;
        first[0] = char(kMedia);
        first[1] = char(0xFF);
        first[2] = char(0xFF);
    }
    return image;
}

QList<QPair<qint64, qint64>> usedRegions(const QByteArray& image) {
    const std::optional<FatLayout> layout = BootSector::read(image.left(BootSector::kBytes)).layout;
    // The reader has checked that the FAT holds an entry for every cluster.
    if (!layout || layout->totalSectors * layout->bytesPerSector != image.size())
        return {{0, image.size()}};
    const qint64 data = layout->dataOffset();
    QList<QPair<qint64, qint64>> runs{{0, data}};
    const QByteArray fat =
        image.mid(layout->fatOffset(), qint64(layout->sectorsPerFat) * layout->bytesPerSector);
    const qint64 cb = layout->clusterBytes();
    for (qint64 cluster = 2; cluster < layout->clusterCount + 2; ++cluster) {
        if (fatEntry(fat, cluster) == 0)
            continue;
        const qint64 at = data + (cluster - 2) * cb;
        if (runs.last().first + runs.last().second == at)
            runs.last().second += cb;
        else
            runs.append({at, cb});
    }
    // Sectors after the last whole cluster belong to no cluster: kept as they are.
    if (const qint64 end = data + layout->clusterCount * cb; end < image.size())
        runs.append({end, image.size() - end});
    return runs;
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
