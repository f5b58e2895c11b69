#include "platform/fat_editor.h"

#include "platform/dos_path.h"
#include "platform/io_error.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <string_view>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kEntryBytes = 32;
constexpr quint8 kDirectory = 0x10;
constexpr quint8 kVolumeLabel = 0x08;
constexpr quint8 kLongName = 0x0F;
constexpr quint8 kDeleted = 0xE5;
constexpr quint32 kEndOfChain = 0xFFF;

template <typename Bytes> quint16 le16(const Bytes& b, qint64 at) {
    const char* p = b.constData() + at;
    return quint16(quint8(p[0]) | (quint8(p[1]) << 8));
}

template <typename Bytes> void putLe16(Bytes& b, qint64 at, quint32 v) {
    char* p = b.data() + at;
    p[0] = char(v & 0xFF);
    p[1] = char((v >> 8) & 0xFF);
}

// Names mtools would keep as they stand with long names off: DOS's own character set, no device.
bool shortNameChar(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           QStringLiteral("!#$%&'()-@^_`{}~").contains(c);
}

bool deviceName(const QString& base) {
    static const QStringList devices{"CON",  "AUX",  "PRN",  "NUL",  "CLOCK$", "COM1",
                                     "COM2", "COM3", "COM4", "LPT1", "LPT2",   "LPT3"};
    return devices.contains(base);
}

// The 11 bytes of an entry's name as DOS writes an 8.3 name that needs no long name: each part
// left-aligned and filled up with blanks, only characters from DOS's set, a name part that is not
// empty and no device's name. Read straight off the entry, as a directory is read often.
bool plainShortName(const char* raw) {
    const auto used = [raw](int from, int length) {
        int n = 0;
        while (n < length && shortNameChar(QLatin1Char(raw[from + n])))
            ++n;
        for (int i = n; i < length; ++i)
            if (raw[from + i] != ' ')
                return -1;
        return n;
    };
    const int base = used(0, 8);
    return base > 0 && used(8, 3) >= 0 && !deviceName(QString::fromLatin1(raw, base));
}

// DOS keeps local time in two-second steps, as mtools writes it from the host's time.
QPair<quint16, quint16> dosStamp(const QDateTime& stamp) {
    const QDateTime local = stamp.isValid() ? stamp.toLocalTime() : QDateTime::currentDateTime();
    const QDate d = local.date();
    const QTime t = local.time();
    const int year = std::clamp(d.year(), 1980, 2107);
    const quint16 date = quint16(((year - 1980) << 9) | (d.month() << 5) | d.day());
    const quint16 time = quint16((t.hour() << 11) | (t.minute() << 5) | (t.second() / 2));
    return {date, time};
}

} // namespace

QDateTime FatEditor::Entry::stamp() const {
    return QDateTime(QDate(1980 + (date >> 9), (date >> 5) & 15, date & 31),
                     QTime(time >> 11, (time >> 5) & 63, (time & 31) * 2));
}

FatEditor::FatEditor(Bytes image, FatLayout layout)
    : m_image(std::move(image)), m_layout(layout),
      m_dirty(size_t(m_image.size() / layout.bytesPerSector), false) {}

std::unique_ptr<FatEditor> FatEditor::fromImage(Bytes image) {
    const std::optional<FatLayout> layout =
        BootSector::read(image.mid(0, std::min<qint64>(image.size(), BootSector::kBytes))).layout;
    if (!layout || image.size() < layout->totalSectors * layout->bytesPerSector)
        return nullptr;
    image.length = layout->totalSectors * layout->bytesPerSector;
    return std::unique_ptr<FatEditor>(new FatEditor(std::move(image), *layout));
}

std::unique_ptr<FatEditor> FatEditor::fromBytes(QByteArray image) {
    auto owned = std::make_shared<QByteArray>(std::move(image));
    Bytes bytes{owned->data(), owned->size(), owned}; // data() makes the buffer the editor's own
    return fromImage(std::move(bytes));
}

std::unique_ptr<FatEditor> FatEditor::fromStart(const QByteArray& start, qint64 size) {
    // Anonymous memory reads as zeros and takes a page only where something is written.
    void* mapped = size >= start.size() ? ::mmap(nullptr, size_t(size), PROT_READ | PROT_WRITE,
                                                 MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)
                                        : MAP_FAILED;
    if (mapped == MAP_FAILED)
        return nullptr;
    std::shared_ptr<void> mapping(mapped, [size = size_t(size)](void* at) { ::munmap(at, size); });
    std::memcpy(mapped, start.constData(), size_t(start.size()));
    return fromImage({static_cast<char*>(mapped), size, std::move(mapping)});
}

FatEditor::Bytes FatEditor::map(const QString& path, bool writable, Signature* signature) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    *signature = signatureOf(path);
    struct stat st {};
    void* mapped = MAP_FAILED;
    // Private: what the editor changes stays in memory until save() writes it, and only the
    // pages it reads are fetched.
    if (::fstat(fd, &st) == 0 && st.st_size >= BootSector::kBytes)
        mapped = ::mmap(nullptr, size_t(st.st_size), writable ? PROT_READ | PROT_WRITE : PROT_READ,
                        MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (mapped == MAP_FAILED)
        return {};
    std::shared_ptr<void> mapping(mapped, [size = size_t(st.st_size)](void* at) { ::munmap(at, size); });
    return {static_cast<char*>(mapped), qint64(st.st_size), std::move(mapping)};
}

std::unique_ptr<FatEditor> FatEditor::load(const QString& path) {
    Signature before;
    std::unique_ptr<FatEditor> fat = fromImage(map(path, true, &before));
    if (fat)
        fat->m_saved = before;
    return fat;
}

std::unique_ptr<const FatEditor> FatEditor::view(const QString& path) {
    Signature unused;
    return fromImage(map(path, false, &unused));
}

bool FatEditor::unchangedOnDisk(const QString& path) const {
    if (signatureOf(path) != m_saved)
        return false;
    // Times move in coarse steps: a write just after ours may leave them as they were, but no
    // change to the diskette's files leaves the FAT and the root directory as they were. Read
    // without QFile: a build asks this before nearly every step.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const qint64 length = m_layout.dataOffset();
    std::vector<char> onDisk(static_cast<size_t>(length));
    qint64 done = 0;
    while (done < length) {
        const ssize_t n = ::pread(fd, onDisk.data() + done, size_t(length - done), off_t(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    ::close(fd);
    return done == length && std::memcmp(onDisk.data(), m_image.constData(), size_t(length)) == 0;
}

QByteArray FatEditor::shortName(const QString& name) {
    const qsizetype dot = name.indexOf(u'.');
    const QString base = dot < 0 ? name : name.left(dot);
    const QString ext = dot < 0 ? QString() : name.mid(dot + 1);
    // A blank would pass for the filling, and "NAME." is listed as "NAME".
    if (base.size() > 8 || ext.size() > 3 || (dot >= 0 && ext.isEmpty()) || name.contains(u' '))
        return {};
    const QByteArray raw = (base.leftJustified(8, u' ') + ext.leftJustified(3, u' ')).toLatin1();
    return plainShortName(raw.constData()) ? raw : QByteArray();
}

quint32 FatEditor::fat(quint32 cluster) const {
    const quint32 pair = le16(m_image, m_layout.fatOffset() + cluster * 3 / 2);
    return (cluster & 1) ? pair >> 4 : pair & 0xFFF;
}

void FatEditor::setFat(quint32 cluster, quint32 value) {
    if (const bool wasFree = fat(cluster) == 0; m_freeClusters && wasFree != (value == 0))
        *m_freeClusters += wasFree ? -1 : 1;
    for (int copy = 0; copy < m_layout.fatCount; ++copy) {
        const qint64 at = m_layout.fatOffset() +
                          qint64(copy) * m_layout.sectorsPerFat * m_layout.bytesPerSector + cluster * 3 / 2;
        quint32 pair = le16(m_image, at);
        pair = (cluster & 1) ? (pair & 0x000F) | (value << 4) : (pair & 0xF000) | (value & 0xFFF);
        putLe16(m_image, at, pair);
        touch(at, 2);
    }
}

bool FatEditor::validCluster(quint32 cluster) const {
    return cluster >= 2 && cluster < m_layout.clusterCount + 2;
}

qint64 FatEditor::clusterOffset(quint32 cluster) const {
    return m_layout.dataOffset() + qint64(cluster - 2) * m_layout.clusterBytes();
}

std::optional<std::vector<quint32>> FatEditor::chain(quint32 first) const {
    std::vector<quint32> clusters;
    if (first == 0)
        return clusters;
    for (quint32 at = first;;) {
        if (!validCluster(at) || qint64(clusters.size()) >= m_layout.clusterCount)
            return std::nullopt;
        clusters.push_back(at);
        const quint32 next = fat(at);
        if (next >= 0xFF8)
            return clusters;
        at = next;
    }
}

std::optional<std::vector<qint64>> FatEditor::entrySlots(const Dir& dir) const {
    std::vector<qint64> out;
    if (dir.root) {
        for (int i = 0; i < m_layout.rootEntries; ++i)
            out.push_back(m_layout.rootOffset() + qint64(i) * kEntryBytes);
        return out;
    }
    const std::optional<std::vector<quint32>> clusters = chain(dir.cluster);
    if (!clusters || clusters->empty())
        return std::nullopt;
    for (quint32 cluster : *clusters)
        for (qint64 at = 0; at < m_layout.clusterBytes(); at += kEntryBytes)
            out.push_back(clusterOffset(cluster) + at);
    return out;
}

FatEditor::Entry FatEditor::entryAt(qint64 offset) const {
    Entry e;
    const QString base = QString::fromLatin1(m_image.constData() + offset, 8).trimmed();
    const QString ext = QString::fromLatin1(m_image.constData() + offset + 8, 3).trimmed();
    e.name = ext.isEmpty() ? base : base + u'.' + ext;
    e.attributes = quint8(m_image[offset + 11]);
    e.directory = e.attributes & kDirectory;
    e.size = qint64(le16(m_image, offset + 28)) | (qint64(le16(m_image, offset + 30)) << 16);
    e.date = le16(m_image, offset + 24);
    e.time = le16(m_image, offset + 22);
    return e;
}

const FatEditor::Scan& FatEditor::scan(const Dir& dir) const {
    const quint32 key = dir.root ? 0 : dir.cluster;
    if (const auto kept = m_scans.find(key); kept != m_scans.end())
        return kept->second;
    Scan& out = m_scans[key];
    std::set<std::string_view> seen;
    const std::optional<std::vector<qint64>> all = entrySlots(dir);
    if (!all)
        return out; // a damaged chain is mtools' to report
    for (size_t i = 0; i < all->size(); ++i) {
        const qint64 at = (*all)[i];
        const quint8 first = quint8(m_image[at]);
        const quint8 attributes = quint8(m_image[at + 11]);
        if (first == 0 || first == kDeleted) {
            if (out.free < 0)
                out.free = at;
            if (first == 0) {
                if (out.free == at && i + 1 < all->size())
                    out.end = (*all)[i + 1];
                break;
            }
            continue;
        }
        if ((attributes & kVolumeLabel && attributes != kLongName) || first == '.')
            continue;
        // Long names, names mdir would show otherwise, and a name twice over (which of the two
        // a path means is not for the editor to choose) are mtools' to read.
        const char* raw = m_image.constData() + at;
        if (attributes == kLongName || !plainShortName(raw) ||
            !seen.insert(std::string_view(raw, 11)).second) {
            out = Scan{};
            return out;
        }
        out.entries.append(entryAt(at));
        out.offsets.push_back(at);
    }
    out.supported = true;
    return out;
}

qint64 FatEditor::Scan::offsetOf(const QString& name) const {
    for (qsizetype i = 0; i < entries.size(); ++i)
        if (entries[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return offsets[size_t(i)];
    return -1;
}

std::optional<FatEditor::Dir> FatEditor::directory(const QStringList& dirParts, bool* supported) const {
    Dir dir;
    *supported = true;
    for (const QString& part : dirParts) {
        const Scan& parent = scan(dir);
        if (!parent.supported) {
            *supported = false;
            return std::nullopt;
        }
        const qint64 entry = parent.offsetOf(DosPath::normalizeName(part));
        if (entry < 0 || !(quint8(m_image[entry + 11]) & kDirectory))
            return std::nullopt;
        const quint32 first = le16(m_image, entry + 26);
        if (!validCluster(first)) {
            *supported = false;
            return std::nullopt;
        }
        dir = Dir{false, first};
    }
    return dir;
}

FatEditor::Found FatEditor::find(const QStringList& parts) const {
    Found out;
    bool supported = true;
    const std::optional<Dir> dir = directory(parts.mid(0, parts.size() - 1), &supported);
    if (!supported || !dir) {
        out.outcome = supported ? Outcome::Missing : Outcome::Unsupported;
        return out;
    }
    const Scan& here = scan(*dir);
    if (!here.supported) {
        out.outcome = Outcome::Unsupported;
        return out;
    }
    out.dir = *dir;
    out.entry = parts.isEmpty() ? -1 : here.offsetOf(DosPath::normalizeName(parts.last()));
    out.free = here.free;
    out.end = here.end;
    return out;
}

FatEditor::Listing FatEditor::list(const QStringList& dirParts) const {
    Listing out;
    bool supported = true;
    const std::optional<Dir> dir = directory(dirParts, &supported);
    out.supported = supported;
    if (!supported || !dir)
        return out;
    const Scan& all = scan(*dir);
    out.supported = all.supported;
    out.exists = all.supported;
    out.entries = all.entries;
    return out;
}

qint64 FatEditor::freeBytes() const {
    if (!m_freeClusters) {
        qint64 free = 0;
        for (quint32 c = 2; c < m_layout.clusterCount + 2; ++c)
            free += fat(c) == 0;
        m_freeClusters = free;
    }
    return *m_freeClusters * m_layout.clusterBytes();
}

int FatEditor::freeRootEntries() const {
    int free = 0;
    for (int i = 0; i < m_layout.rootEntries; ++i) {
        const quint8 first = quint8(m_image[m_layout.rootOffset() + qint64(i) * kEntryBytes]);
        free += first == 0 || first == kDeleted;
    }
    return free;
}

std::optional<QByteArray> FatEditor::read(const QStringList& parts, Outcome* outcome) const {
    const Found found = find(parts);
    *outcome = found.outcome == Outcome::Done && found.entry < 0 ? Outcome::Missing : found.outcome;
    if (*outcome != Outcome::Done)
        return std::nullopt;
    const Entry entry = entryAt(found.entry);
    if (entry.directory) {
        *outcome = Outcome::IsDirectory;
        return std::nullopt;
    }
    const std::optional<std::vector<quint32>> clusters = chain(le16(m_image, found.entry + 26));
    const qint64 cb = m_layout.clusterBytes();
    if (!clusters || qint64(clusters->size()) != (entry.size + cb - 1) / cb) {
        *outcome = Outcome::Unsupported;
        return std::nullopt;
    }
    QByteArray data;
    data.reserve(entry.size);
    for (quint32 cluster : *clusters)
        data.append(m_image.constData() + clusterOffset(cluster), std::min(cb, entry.size - data.size()));
    return data;
}

std::vector<quint32> FatEditor::freeClusters(qint64 wanted) const {
    std::vector<quint32> out;
    for (quint32 c = 2; c < m_layout.clusterCount + 2 && qint64(out.size()) < wanted; ++c)
        if (fat(c) == 0)
            out.push_back(c);
    return out;
}

void FatEditor::freeChain(quint32 first) {
    if (const std::optional<std::vector<quint32>> clusters = chain(first))
        for (quint32 c : *clusters)
            setFat(c, 0);
}

quint32 FatEditor::linkChain(const std::vector<quint32>& clusters) {
    for (size_t i = 0; i < clusters.size(); ++i)
        setFat(clusters[i], i + 1 < clusters.size() ? clusters[i + 1] : kEndOfChain);
    return clusters.empty() ? 0 : clusters.front();
}

void FatEditor::touch(qint64 offset, qint64 length) {
    m_scans.clear(); // every change passes here
    for (qint64 s = offset / m_layout.bytesPerSector; s <= (offset + length - 1) / m_layout.bytesPerSector;
         ++s) {
        m_dirty[size_t(s)] = true;
        m_dirtyFrom = std::min(m_dirtyFrom, size_t(s));
        m_dirtyTo = std::max(m_dirtyTo, size_t(s) + 1);
    }
}

void FatEditor::put(qint64 offset, const QByteArray& bytes) {
    std::memcpy(m_image.data() + offset, bytes.constData(), size_t(bytes.size()));
    touch(offset, bytes.size());
}

void FatEditor::putEntry(qint64 offset, const QByteArray& name, quint8 attributes, quint32 first, qint64 size,
                         const QDateTime& stamp) {
    // As mtools makes an entry: created, written and last used at the file's own time.
    QByteArray e(kEntryBytes, '\0');
    e.replace(0, 11, name);
    e[11] = char(attributes);
    const auto [date, time] = dosStamp(stamp);
    for (int at : {14, 22})
        putLe16(e, at, time);
    for (int at : {16, 18, 24})
        putLe16(e, at, date);
    putLe16(e, 26, first);
    putLe16(e, 28, quint32(size & 0xFFFF));
    putLe16(e, 30, quint32(size >> 16));
    put(offset, e);
}

FatEditor::Outcome FatEditor::write(const QStringList& parts, const QByteArray& data, const QDateTime& stamp,
                                    quint8 attributes) {
    if (parts.isEmpty())
        return Outcome::IsDirectory;
    const Found found = find(parts);
    if (found.outcome != Outcome::Done)
        return found.outcome;
    QByteArray name = shortName(DosPath::normalizeName(parts.last()).toUpper());
    qint64 have = freeBytes() / m_layout.clusterBytes();
    quint32 old = 0;
    if (found.entry >= 0) {
        if (entryAt(found.entry).directory)
            return Outcome::IsDirectory;
        name = m_image.mid(found.entry, 11); // the file's own entry keeps its name
        old = le16(m_image, found.entry + 26);
        const std::optional<std::vector<quint32>> chained = chain(old);
        if (!chained)
            return Outcome::Unsupported;
        have += qint64(chained->size());
    }
    if (name.isEmpty())
        return Outcome::Unsupported;
    const qint64 cb = m_layout.clusterBytes();
    const qint64 need = (data.size() + cb - 1) / cb;
    const bool grows = found.entry < 0 && found.free < 0;
    if (grows && found.dir.root)
        return Outcome::DirectoryFull;
    if (need + (grows ? 1 : 0) > have)
        return Outcome::NoSpace;

    freeChain(old);
    qint64 slot = found.entry >= 0 ? found.entry : found.free;
    if (grows) {
        const quint32 added = freeClusters(1).front();
        const std::vector<quint32> dirChain = *chain(found.dir.cluster);
        setFat(dirChain.back(), added);
        setFat(added, kEndOfChain);
        put(clusterOffset(added), QByteArray(cb, '\0'));
        slot = clusterOffset(added);
    }
    const std::vector<quint32> clusters = freeClusters(need);
    for (size_t i = 0; i < clusters.size(); ++i) {
        QByteArray block = data.mid(qsizetype(i) * cb, cb);
        block.append(QByteArray(cb - block.size(), '\0'));
        put(clusterOffset(clusters[i]), block);
    }
    putEntry(slot, name, attributes, linkChain(clusters), data.size(), stamp);
    fill(found, slot);
    return Outcome::Done;
}

FatEditor::Outcome FatEditor::remove(const QStringList& parts) {
    const Found found = find(parts);
    if (found.outcome != Outcome::Done || found.entry < 0)
        return found.outcome == Outcome::Done ? Outcome::Missing : found.outcome;
    if (entryAt(found.entry).directory)
        return Outcome::IsDirectory;
    const quint32 first = le16(m_image, found.entry + 26);
    if (!chain(first))
        return Outcome::Unsupported;
    freeChain(first);
    put(found.entry, QByteArray(1, char(kDeleted)));
    return Outcome::Done;
}

FatEditor::Outcome FatEditor::makeDirectory(const QStringList& parts, const QDateTime& stamp) {
    if (parts.isEmpty())
        return Outcome::Done;
    const Found found = find(parts);
    if (found.outcome != Outcome::Done)
        return found.outcome;
    if (found.entry >= 0) // a file in the way is mtools' to report
        return entryAt(found.entry).directory ? Outcome::Done : Outcome::Unsupported;
    const QByteArray name = shortName(DosPath::normalizeName(parts.last()).toUpper());
    if (name.isEmpty())
        return Outcome::Unsupported;
    const bool grows = found.free < 0;
    if (grows && found.dir.root)
        return Outcome::DirectoryFull;
    const std::vector<quint32> clusters = freeClusters(grows ? 2 : 1);
    if (clusters.size() < (grows ? 2u : 1u))
        return Outcome::NoSpace;
    qint64 slot = found.free;
    const qint64 cb = m_layout.clusterBytes();
    if (grows) {
        setFat(chain(found.dir.cluster)->back(), clusters[1]);
        setFat(clusters[1], kEndOfChain);
        put(clusterOffset(clusters[1]), QByteArray(cb, '\0'));
        slot = clusterOffset(clusters[1]);
    }
    const quint32 own = clusters[0];
    setFat(own, kEndOfChain);
    put(clusterOffset(own), QByteArray(cb, '\0'));
    putEntry(clusterOffset(own), QByteArray(".          "), kDirectory, own, 0, stamp);
    putEntry(clusterOffset(own) + kEntryBytes, QByteArray("..         "), kDirectory,
             found.dir.root ? 0 : found.dir.cluster, 0, stamp);
    putEntry(slot, name, kDirectory, own, 0, stamp);
    fill(found, slot);
    return Outcome::Done;
}

FatEditor::Outcome FatEditor::setAttributes(const QStringList& parts, quint8 attributes) {
    const Found found = find(parts);
    if (found.outcome != Outcome::Done || found.entry < 0)
        return found.outcome == Outcome::Done ? Outcome::Missing : found.outcome;
    const quint8 kept = quint8(m_image[found.entry + 11]) & (kDirectory | kVolumeLabel);
    put(found.entry + 11, QByteArray(1, char(kept | (attributes & ~(kDirectory | kVolumeLabel)))));
    return Outcome::Done;
}

FatEditor::Outcome FatEditor::setStamp(const QStringList& parts, const QDateTime& stamp) {
    const Found found = find(parts);
    if (found.outcome != Outcome::Done || found.entry < 0)
        return found.outcome == Outcome::Done ? Outcome::Missing : found.outcome;
    const Entry entry = entryAt(found.entry);
    if (entry.directory)
        return Outcome::IsDirectory;
    putEntry(found.entry, m_image.mid(found.entry, 11), entry.attributes, le16(m_image, found.entry + 26),
             entry.size, stamp);
    return Outcome::Done;
}

void FatEditor::fill(const Found& found, qint64 slot) {
    if (slot == found.free && found.end >= 0 && m_image[found.end] != 0)
        put(found.end, QByteArray(1, '\0'));
}

bool FatEditor::changed() const {
    return m_dirtyFrom < m_dirtyTo;
}

void FatEditor::save(const QString& path, const QString& shownAs) {
    if (!changed())
        return;
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    const auto failed = [&](int error) {
        if (fd >= 0)
            ::close(fd);
        throw IoError(QStringLiteral("Cannot write the image %1: %2")
                          .arg(shownAs, QString::fromLocal8Bit(std::strerror(error))),
                      error == ENOSPC ? IoError::Problem::NoSpace : IoError::Problem::Other);
    };
    if (fd < 0)
        failed(errno);
    const qint64 sector = m_layout.bytesPerSector;
    for (size_t s = m_dirtyFrom; s < m_dirtyTo;) {
        if (!m_dirty[s]) {
            ++s;
            continue;
        }
        size_t end = s;
        while (end < m_dirtyTo && m_dirty[end])
            ++end;
        const char* from = m_image.constData() + qint64(s) * sector;
        const qint64 length = qint64(end - s) * sector;
        for (qint64 done = 0; done < length;) {
            const ssize_t n =
                ::pwrite(fd, from + done, size_t(length - done), off_t(qint64(s) * sector + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                failed(n < 0 ? errno : ENOSPC);
            done += n;
        }
        s = end;
    }
    if (::close(fd) != 0)
        failed(errno);
    std::fill(m_dirty.begin() + qsizetype(m_dirtyFrom), m_dirty.begin() + qsizetype(m_dirtyTo), false);
    m_dirtyFrom = SIZE_MAX;
    m_dirtyTo = 0;
    m_saved = signatureOf(path);
}
