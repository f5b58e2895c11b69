#include "platform/dos_fs.h"

#include "platform/directory_volume.h"
#include "platform/dos_path.h"
#include "platform/file_lock.h"
#include "platform/image_volume.h"
#include "platform/io_error.h"

#include <QDir>

struct DosFs::Location {
    Volume* volume = nullptr; // null: the drive is not mapped
    VolumePath path;
    QChar drive;
};

DosFs::DosFs(DriveTable drives) : m_drives(std::move(drives)) {}

DosFs::~DosFs() = default;

void DosFs::mapDrive(QChar letter, const QString& hostPath) {
    const QChar upper = letter.toUpper();
    m_drives.map(upper, hostPath);
    m_volumes.erase(upper);
}

DosFs::Location DosFs::locate(const QString& path) {
    DosPath::Parsed parsed = DosPath::parse(path);
    Location location;
    location.path.shown = path;
    location.drive = parsed.drive;
    if (!parsed.drive.isNull()) {
        auto it = m_volumes.find(parsed.drive);
        if (it == m_volumes.end()) {
            std::unique_ptr<Volume> volume;
            const QString host = m_drives.hostPath(parsed.drive);
            switch (m_drives.kind(parsed.drive)) {
            case DriveTable::Kind::Directory:
                volume = std::make_unique<DirectoryVolume>(host);
                break;
            case DriveTable::Kind::Image:
                volume = std::make_unique<ImageVolume>(host, false, m_drives.templateImage());
                break;
            case DriveTable::Kind::Device:
                volume = std::make_unique<ImageVolume>(host, true);
                break;
            case DriveTable::Kind::None:
                break;
            }
            if (volume && m_holds > 0)
                volume->holdListings(true);
            it = m_volumes.emplace(parsed.drive, std::move(volume)).first;
        }
        location.volume = it->second.get();
        location.path.parts = parsed.parts;
        return location;
    }
    // Host paths, absolute or relative to the current directory, share one volume on "/"; it is
    // kept under the null letter.
    if (!parsed.hostAbsolute)
        parsed = DosPath::parse(QDir::currentPath() + u'/' + path);
    auto it = m_volumes.find(QChar());
    if (it == m_volumes.end()) {
        auto volume = std::make_unique<DirectoryVolume>(QStringLiteral("/"));
        if (m_holds > 0)
            volume->holdListings(true);
        it = m_volumes.emplace(QChar(), std::move(volume)).first;
    }
    location.volume = it->second.get();
    location.path.parts = parsed.parts;
    return location;
}

namespace {

[[noreturn]] void unmapped(const QString& verb, const QString& path, QChar drive) {
    throw IoError(QStringLiteral("Cannot %1 %2: drive %3: is not mapped to a directory, image or device")
                      .arg(verb, path, drive));
}

} // namespace

bool DosFs::fileExists(const QString& path) {
    const Location l = locate(path);
    return l.volume && l.volume->fileExists(l.path);
}

bool DosFs::directoryExists(const QString& path) {
    const Location l = locate(path);
    return l.volume && l.volume->directoryExists(l.path);
}

std::unique_ptr<DosReader> DosFs::openRead(const QString& path) {
    const Location l = locate(path);
    if (!l.volume)
        unmapped(QStringLiteral("open"), path, l.drive);
    return l.volume->openRead(l.path);
}

std::unique_ptr<DosWriter> DosFs::create(const QString& path) {
    const Location l = locate(path);
    if (!l.volume)
        unmapped(QStringLiteral("create"), path, l.drive);
    return l.volume->create(l.path);
}

QByteArray DosFs::readFile(const QString& path) {
    const std::unique_ptr<DosReader> reader = openRead(path);
    QByteArray data;
    constexpr qint64 kChunk = 65536;
    for (;;) {
        const qsizetype used = data.size();
        data.resize(used + kChunk);
        const qint64 n = reader->read(data.data() + used, kChunk);
        data.resize(used + n);
        if (n == 0)
            return data;
    }
}

void DosFs::writeFile(const QString& path, const QByteArray& data) {
    const std::unique_ptr<DosWriter> writer = create(path);
    const qint64 written = writer->write(data.constData(), data.size());
    // What fitted stays in the file, as it would on DOS.
    writer->close();
    if (written < data.size())
        throw IoError(QStringLiteral("Cannot write %1: the disk is full (%2 of %3 bytes written)")
                          .arg(path)
                          .arg(written)
                          .arg(data.size()),
                      IoError::Problem::NoSpace);
}

void DosFs::replaceFile(const QString& path, const QByteArray& data) {
    const Location l = locate(path);
    if (!l.volume)
        unmapped(QStringLiteral("write"), path, l.drive);
    l.volume->replaceFile(l.path, data);
}

void DosFs::remove(const QString& path) {
    const Location l = locate(path);
    if (!l.volume)
        unmapped(QStringLiteral("delete"), path, l.drive);
    l.volume->remove(l.path);
}

void DosFs::makeDirectory(const QString& path) {
    const Location l = locate(path);
    if (!l.volume)
        unmapped(QStringLiteral("make the directory"), path, l.drive);
    l.volume->makeDirectory(l.path);
}

QDateTime DosFs::fileTime(const QString& path) {
    const Location l = locate(path);
    if (!l.volume)
        unmapped(QStringLiteral("read the date of"), path, l.drive);
    return l.volume->fileTime(l.path);
}

void DosFs::setFileTime(const QString& path, const QDateTime& stamp) {
    const Location l = locate(path);
    if (!l.volume)
        unmapped(QStringLiteral("set the date of"), path, l.drive);
    l.volume->setFileTime(l.path, stamp);
}

quint8 DosFs::attributes(const QString& path) {
    const Location l = locate(path);
    if (!l.volume)
        unmapped(QStringLiteral("read the attributes of"), path, l.drive);
    return l.volume->attributes(l.path);
}

std::optional<quint8> DosFs::attributesIfPresent(const QString& path) {
    const Location l = locate(path);
    return l.volume ? l.volume->attributesIfPresent(l.path) : std::nullopt;
}

void DosFs::setAttributes(const QString& path, quint8 attributes) {
    const Location l = locate(path);
    if (!l.volume)
        unmapped(QStringLiteral("set the attributes of"), path, l.drive);
    l.volume->setAttributes(l.path, attributes);
}

bool DosFs::sameFile(const QString& a, const QString& b) {
    const Location la = locate(a);
    const Location lb = locate(b);
    if (!la.volume || !lb.volume)
        return false;
    // A file on a host directory and one inside an image are never the same; asking would cost
    // mtools calls for nothing.
    const bool aImage = dynamic_cast<ImageVolume*>(la.volume) != nullptr;
    const bool bImage = dynamic_cast<ImageVolume*>(lb.volume) != nullptr;
    if (aImage != bImage)
        return false;
    const QString identity = la.volume->fileIdentity(la.path);
    return !identity.isEmpty() && identity == lb.volume->fileIdentity(lb.path);
}

DisketteCheck DosFs::checkDiskette(const QString& path) {
    const Location l = locate(path);
    return l.volume ? l.volume->check() : DisketteCheck{};
}

FileLock DosFs::lockForUpdate(const QString& path) {
    const Location l = locate(path);
    return l.volume ? l.volume->lockForUpdate(l.path) : FileLock();
}

qint64 DosFs::fileSize(const QString& path) {
    const Location l = locate(path);
    return l.volume ? l.volume->fileSize(l.path) : -1;
}

VolumeSpace DosFs::space(const QString& path) {
    const Location l = locate(path);
    if (!l.volume)
        unmapped(QStringLiteral("find the free space of"), path, l.drive);
    return l.volume->space();
}

QList<ReadBack> DosFs::readBack(const QStringList& paths) {
    QList<ReadBack> out(paths.size());
    // Grouped by volume, each group in one call, the answers put back in the order asked.
    std::map<Volume*, QList<qsizetype>> byVolume;
    QList<Location> where;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        where.append(locate(paths[i]));
        if (where.last().volume)
            byVolume[where.last().volume].append(i);
        else
            out[i].error = QStringLiteral("Cannot read %1: drive %2: is not mapped")
                               .arg(paths[i])
                               .arg(where.last().drive);
    }
    for (const auto& [volume, indices] : byVolume) {
        QList<VolumePath> group;
        for (qsizetype i : indices)
            group.append(where[i].path);
        const QList<ReadBack> read = volume->readBack(group);
        for (qsizetype k = 0; k < indices.size() && k < read.size(); ++k)
            out[indices[k]] = read[k];
    }
    return out;
}

QString DosFs::checkFileSystem(const QString& path) {
    const Location l = locate(path);
    return l.volume ? l.volume->checkFileSystem() : QString();
}

QString DosFs::describe(const QString& path) {
    const Location l = locate(path);
    return l.volume ? l.volume->describe(l.path) : path;
}

void DosFs::holdAll(bool on) {
    for (auto& [letter, volume] : m_volumes)
        if (volume)
            volume->holdListings(on);
}

DosFs::ListingHold::ListingHold(DosFs& fs) : m_fs(fs) {
    if (m_fs.m_holds++ == 0)
        m_fs.holdAll(true);
}

DosFs::ListingHold::~ListingHold() {
    if (--m_fs.m_holds == 0)
        m_fs.holdAll(false);
}

DosFs::DisketteWork::DisketteWork(DosFs& fs, const QString& root) : m_fs(fs), m_root(root) {
    const Location l = m_fs.locate(m_root);
    if (l.volume)
        l.volume->beginWork();
}

DosFs::DisketteWork::~DisketteWork() {
    // A drive mapped to another diskette since has dropped its volume, and the work with it.
    try {
        const Location l = m_fs.locate(m_root);
        if (l.volume)
            l.volume->endWork();
    } catch (const std::exception&) {
    }
}

void DosFs::DisketteWork::commit() {
    const Location l = m_fs.locate(m_root);
    if (l.volume)
        l.volume->commitWork();
}

void DosFs::forgetListings() {
    holdAll(false);
    if (m_holds > 0)
        holdAll(true);
}

void DosFs::mount(QChar letter, std::unique_ptr<Volume> volume) {
    if (volume && m_holds > 0)
        volume->holdListings(true);
    m_volumes[letter.toUpper()] = std::move(volume);
}
