#include "platform/image_volume.h"

#include "platform/boot_sector.h"
#include "platform/diskette.h"
#include "platform/dos_path.h"
#include "platform/fat_editor.h"
#include "platform/fat_image.h"
#include "platform/file_signature.h"
#include "platform/image_checks.h"
#include "platform/image_reader.h"
#include "platform/image_writer.h"
#include "platform/io_error.h"
#include "platform/replacement_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QDateTime modificationTime(const QString& hostFile) {
    struct stat st {};
    if (::stat(QFile::encodeName(hostFile).constData(), &st) != 0)
        return {};
    return QDateTime::fromMSecsSinceEpoch(qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000);
}

// What mtools said went wrong, where a caller wants to say it in words of its own.
IoError::Problem problemOf(const QString& mtoolsError) {
    if (mtoolsError.contains(QLatin1String("Disk full"), Qt::CaseInsensitive))
        return IoError::Problem::NoSpace;
    if (mtoolsError.contains(QLatin1String("directory slots"), Qt::CaseInsensitive))
        return IoError::Problem::DirectoryFull;
    if (mtoolsError.contains(QLatin1String("Read-only file system")) ||
        mtoolsError.contains(QLatin1String("Permission denied")) ||
        mtoolsError.contains(QLatin1String("Operation not permitted")))
        return IoError::Problem::WriteProtected;
    return IoError::Problem::Other;
}

IoError::Problem problemOfErrno(int error) {
    return error == EACCES || error == EPERM || error == EROFS ? IoError::Problem::WriteProtected
                                                               : IoError::Problem::Other;
}

quint8 attributesOf(const QString& flags) {
    quint8 result = 0;
    if (flags.contains(u'A'))
        result |= DosAttr::Archive;
    if (flags.contains(u'R'))
        result |= DosAttr::ReadOnly;
    if (flags.contains(u'S'))
        result |= DosAttr::System;
    if (flags.contains(u'H'))
        result |= DosAttr::Hidden;
    return result;
}

quint8 parseAttributes(const QByteArray& mattribOutput) {
    const QString line = QString::fromLocal8Bit(mattribOutput).section(u'\n', 0, 0);
    return attributesOf(line.left(line.indexOf(QLatin1String("::"))));
}

// Every later diskette of a run is made from the same template: its bytes are read once, and again
// only when the file is another or has changed (its inode, size or times differ).
QByteArray templateBytes(const QString& path, QString* error) {
    static QString cachedPath;
    static std::optional<FileSignature> cachedSignature;
    static QByteArray cached;
    const std::optional<FileSignature> signature = FileSignature::of(path);
    const bool known = signature.has_value();
    if (known && path == cachedPath && signature == cachedSignature)
        return cached;
    QFile copy(path);
    QByteArray bytes;
    if (copy.open(QIODevice::ReadOnly)) {
        bytes.resize(copy.size());
        if (copy.read(bytes.data(), bytes.size()) != bytes.size())
            bytes.clear();
    }
    if (bytes.isEmpty() || !known) {
        *error = copy.errorString();
        return {};
    }
    cachedPath = path;
    cachedSignature = signature;
    cached = bytes;
    return bytes;
}

} // namespace

ImageVolume::ImageVolume(QString image, bool device, QString templateImage)
    : m_image(std::move(image)), m_device(device), m_template(std::move(templateImage)),
      m_listings(m_image, m_device), m_scratch(m_image) {}

ImageVolume::~ImageVolume() {
    dropCheck();
}

QString ImageVolume::where(const VolumePath& path) const {
    const QString name = path.shown.isEmpty() ? dosPath(path.parts) : path.shown;
    return m_device ? QStringLiteral("%1 on the floppy device %2").arg(name, m_image)
                    : QStringLiteral("%1 in the image %2").arg(name, m_image);
}

QString ImageVolume::dosPath(const QStringList& parts) const {
    return u"::/" + parts.join(u'/');
}

bool ImageVolume::hasWildcard(const QStringList& parts) {
    return std::any_of(parts.begin(), parts.end(), [](const QString& part) {
        return part.contains(u'*') || part.contains(u'?') || part.contains(u'[') || part.contains(u']');
    });
}

qint64 ImageVolume::clusterSize() const {
    const std::optional<FatLayout> layout = BootSector::readFile(file()).layout;
    return layout ? layout->clusterBytes() : 512;
}

QString ImageVolume::file() const {
    return m_work ? m_work->tempPath() : m_image;
}

bool ImageVolume::imageExists() const {
    return m_work ? m_workMade : QFileInfo::exists(m_image);
}

DisketteCheck ImageVolume::check() {
    saveEditor();
    return ImageChecks::check(m_image, m_device, m_device || !imageExists() ? QString() : file());
}

FileLock ImageVolume::lockForUpdate(const VolumePath&) {
    return FileLock::onFile(m_image, FileLock::Mode::Exclusive);
}

void ImageVolume::beginWork() {
    endWork();
    m_lock = FileLock::onFile(m_image, FileLock::Mode::Exclusive);
    m_listings.forget();
    ++m_generation;
    if (m_device)
        return;
    // Made after the lock: the copy is of the diskette as the last update left it.
    m_work = std::make_unique<ReplacementFile>(m_image);
    m_workMade = m_work->targetExists();
    if (m_workMade)
        m_work->copyTarget();
    m_listings.watch(file());
}

void ImageVolume::commitWork() {
    flushQueued();
    saveEditor();
    if (m_work && m_workMade)
        m_work->commit();
    endWork();
}

void ImageVolume::endWork() {
    dropCheck();
    dropQueued();
    m_editor.reset();
    m_editorDeclined = false;
    if (m_work) {
        m_work.reset();
        m_listings.watch(m_image);
        ++m_generation;
    }
    m_workMade = false;
    m_lock = FileLock();
}

Mtools::Result ImageVolume::tool(const QString& name, QStringList args) {
    flushQueued(); // every call sees the diskette as the writes so far left it
    return runTool(name, std::move(args));
}

Mtools::Result ImageVolume::runTool(const QString& name, QStringList args) {
    dropCheck(); // the tool may write
    saveEditor();
    // Whatever the tool changes, the editor reads anew.
    m_editor.reset();
    m_editorDeclined = false;
    args.prepend(m_scratch.linkTo(file()));
    args.prepend(QStringLiteral("-i"));
    return Mtools::run(name, args, m_image);
}

void ImageVolume::fail(const QString& verb, const VolumePath& path, const Mtools::Result& result) const {
    QString reason = result.errorText;
    reason.replace(u'\n', QLatin1String("; "));
    if (reason.isEmpty())
        reason = QStringLiteral("mtools ended with exit code %1").arg(result.exitCode);
    throw IoError(QStringLiteral("Cannot %1 %2: %3").arg(verb, where(path), reason),
                  problemOf(result.errorText));
}

void ImageVolume::requireImage(const VolumePath& path, const QString& verb) const {
    if (imageExists())
        return;
    throw IoError(m_device ? QStringLiteral("Cannot %1 %2: the device does not exist").arg(verb, where(path))
                           : QStringLiteral("Cannot %1 %2: no such file (the image does not exist yet)")
                                 .arg(verb, where(path)));
}

void ImageVolume::prepareWrite(const VolumePath& path, const QString& verb) {
    if (!imageExists()) {
        if (m_device)
            requireImage(path, verb); // a missing device cannot be made
        m_listings.forget();
        if (m_work) {
            const QByteArray start = makeImage(*m_work, path, verb);
            if (!start.isEmpty() && (m_editor = FatEditor::fromStart(start, Diskette::kBytes)))
                m_editor->adopt(file());
            m_workMade = true;
            // The working copy, only ours, was just formatted: nothing to ask mdir about it.
            if (m_template.isEmpty()) {
                Mtools::Listing blank;
                blank.freeBytes = FatImage::blankDiskette().freeBytes;
                m_listings.putListing({}, blank);
                m_listings.putAttributes({}, {});
            }
        } else {
            // Made beside the image and renamed into place, so that a failure part-way leaves no
            // half-made diskette for the next attempt to take as a whole one.
            ReplacementFile made(m_image);
            makeImage(made, path, verb);
            made.commit();
        }
        ++m_generation;
    }
    // The working copy is this build's own file, and an editor holding it has read its boot
    // sector: nothing more to ask the file before each write.
    if (m_work && editor())
        return;
    if (m_device) {
        if (const QString refused = ImageChecks::writeRefusal(m_image, m_device); !refused.isEmpty())
            throw IoError(QStringLiteral("Cannot %1 %2: %3").arg(verb, where(path), refused),
                          IoError::Problem::WriteProtected);
    }
    const int fd = ::open(QFile::encodeName(file()).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        throw IoError(QStringLiteral("Cannot %1 %2: the diskette cannot be written (%3)")
                          .arg(verb, where(path), systemError(error)),
                      problemOfErrno(error));
    }
    ::close(fd);
    // Another kind of file under an image's name is never written as if it were a diskette.
    if (!m_device) {
        if (const QString why = BootSector::readFile(file()).problem; !why.isEmpty())
            throw IoError(QStringLiteral("Cannot %1 %2: %3 is not a FAT12 diskette image (%4)")
                              .arg(verb, where(path), m_image, why));
    }
}

QByteArray ImageVolume::makeImage(ReplacementFile& image, const VolumePath& path, const QString& verb) {
    if (!m_template.isEmpty()) {
        if (const QString problem = FatImage::templateProblem(m_template); !problem.isEmpty())
            throw IoError(QStringLiteral("Cannot %1 %2: %3").arg(verb, where(path), problem));
        QString error;
        QByteArray bytes = templateBytes(m_template, &error);
        if (bytes.isEmpty())
            throw IoError(QStringLiteral("Cannot %1 %2: the template image %3 could not be read (%4)")
                              .arg(verb, where(path), m_template, error));
        // Only what the template's file system uses is written; the rest reads as zeros, and the
        // editor maps the file and touches no more than a build needs.
        image.allocate(Diskette::kBytes);
        for (const auto& [at, length] : FatImage::usedRegions(bytes))
            image.writeAt(at, QByteArray::fromRawData(bytes.constData() + at, qsizetype(length)));
        return {};
    }
    // Formatted here: the file reserved at the diskette's size reads as zeros, and only its first
    // sectors are written; they are returned for the editor to start from.
    image.allocate(Diskette::kBytes);
    QByteArray start = FatImage::blankSystemArea(QRandomGenerator::system()->generate());
    image.write(start);
    return start;
}

std::optional<Mtools::Listing> ImageVolume::list(const QStringList& dirParts) {
    if (!imageExists() || hasWildcard(dirParts))
        return std::nullopt;
    if (std::optional<Mtools::Listing> inMemory; listInMemory(dirParts, &inMemory))
        return inMemory;
    if (const Mtools::Listing* kept = m_listings.listing(dirParts))
        return *kept;
    // A directory its kept parent does not hold need not be asked for.
    if (!dirParts.isEmpty()) {
        const Mtools::Listing* parent = m_listings.listing(dirParts.mid(0, dirParts.size() - 1));
        const Mtools::Entry* entry = parent ? parent->find(dirParts.last()) : nullptr;
        if (parent && (!entry || !entry->directory))
            return std::nullopt;
    }
    const Mtools::Result result = tool(QStringLiteral("mdir"), {QStringLiteral("-a"), dosPath(dirParts)});
    if (result.exitCode != 0) {
        if (result.errorText.contains(QLatin1String("not found")))
            return std::nullopt;
        fail(QStringLiteral("read the directory"), {dirParts, {}}, result);
    }
    const Mtools::Listing listing = Mtools::parseListing(result.output);
    m_listings.putListing(dirParts, listing);
    return listing;
}

void ImageVolume::listAttributes(const QStringList& dirParts) {
    const std::optional<Mtools::Listing> listing = list(dirParts);
    if (!listing)
        return;
    // An empty directory has no file for the pattern: mattrib says so and ends with 1.
    const Mtools::Result result = tool(QStringLiteral("mattrib"), {dosPath(dirParts + QStringList{"*"})});
    QHash<QString, quint8> byName;
    for (const QString& line : QString::fromLocal8Bit(result.output).split(u'\n')) {
        const qsizetype at = line.indexOf(QLatin1String("::"));
        if (at < 0)
            continue;
        if (const Mtools::Entry* entry = listing->find(line.mid(at).section(u'/', -1)))
            byName.insert(entry->shortName, attributesOf(line.left(at)));
    }
    if (result.exitCode == 0 || listing->entries.isEmpty())
        m_listings.putAttributes(dirParts, byName);
}

std::optional<Mtools::Entry> ImageVolume::lookup(const QStringList& parts) {
    if (parts.isEmpty())
        return std::nullopt;
    const std::optional<Mtools::Listing> listing = list(parts.mid(0, parts.size() - 1));
    if (!listing)
        return std::nullopt;
    const Mtools::Entry* entry = listing->find(parts.last());
    return entry ? std::optional<Mtools::Entry>(*entry) : std::nullopt;
}

QString ImageVolume::copyOut(const VolumePath& path, const QString& verb) {
    requireImage(path, verb);
    if (path.parts.isEmpty())
        throw IoError(QStringLiteral("Cannot %1 %2: it is a directory").arg(verb, where(path)));
    if (hasWildcard(path.parts))
        throw IoError(QStringLiteral("Cannot %1 %2: no such file").arg(verb, where(path)));
    // Callers ask the editor first; this is the way for what it declines.
    QString out = scratchPath();
    const Mtools::Result result =
        tool(QStringLiteral("mcopy"), {QStringLiteral("-n"), QStringLiteral("-m"), dosPath(path.parts), out});
    if (result.exitCode != 0) {
        QFile::remove(out);
        fail(verb, path, result);
    }
    const QFileInfo copied(out);
    if (copied.isDir()) {
        QDir(out).removeRecursively();
        throw IoError(QStringLiteral("Cannot %1 %2: it is a directory").arg(verb, where(path)));
    }
    if (!copied.exists())
        throw IoError(QStringLiteral("Cannot %1 %2: no such file").arg(verb, where(path)));
    return out;
}

bool ImageVolume::fileExists(const VolumePath& path) {
    const std::optional<Mtools::Entry> entry = lookup(path.parts);
    return entry && !entry->directory;
}

bool ImageVolume::directoryExists(const VolumePath& path) {
    if (path.parts.isEmpty())
        return imageExists() || (!m_device && QFileInfo(m_image).absoluteDir().exists());
    const std::optional<Mtools::Entry> entry = lookup(path.parts);
    return entry && entry->directory;
}

std::unique_ptr<DosReader> ImageVolume::openRead(const VolumePath& path) {
    if (std::unique_ptr<DosReader> inMemory = openInMemory(path))
        return inMemory;
    const QString verb = QStringLiteral("open");
    const QString copy = copyOut(path, verb);
    const QDateTime stamp = modificationTime(copy);
    const int fd = ::open(QFile::encodeName(copy).constData(), O_RDONLY | O_CLOEXEC);
    const int error = errno;
    QFile::remove(copy);
    if (fd < 0)
        throw IoError(QStringLiteral("Cannot %1 %2: %3").arg(verb, where(path), systemError(error)));
    return std::make_unique<ImageReader>(
        fd, stamp, [this, path] { return attributes(path); }, where(path));
}

std::unique_ptr<DosWriter> ImageVolume::create(const VolumePath& path) {
    Space space = measure(path);
    return std::make_unique<ImageWriter>(*this, path, std::move(space));
}

ImageVolume::Space ImageVolume::measure(const VolumePath& path) {
    const QString verb = QStringLiteral("create");
    if (path.parts.isEmpty())
        throw IoError(QStringLiteral("Cannot %1 %2: it is a directory").arg(verb, where(path)));
    if (hasWildcard(path.parts))
        throw IoError(QStringLiteral("Cannot %1 %2: a DOS name cannot hold * ? [ ]").arg(verb, where(path)));
    prepareWrite(path, verb);
    const QStringList dirParts = path.parts.mid(0, path.parts.size() - 1);
    std::optional<Mtools::Listing> listing = list(dirParts);
    // Read from the image itself: exact after every write, where a kept listing's figure is not;
    // the queued files' clusters are counted off it.
    std::optional<FatFree> fat = currentFree();
    // A file that may make its directory grow goes in at once, after the queued ones, so that
    // the next file is measured against the directory's new cluster too; a directory this build
    // made has no deleted entries to reuse, so there the new cluster is simply counted.
    const bool madeHere = m_madeDirs.contains(dosPath(dirParts).toUpper());
    const auto grows = [&] {
        return fat && directoryMayGrow(dirParts, path.parts.last(), *listing, *fat);
    };
    const auto unforeseen = [&] {
        return !fat || (grows() && !madeHere);
    };
    if (!m_queued.isEmpty() && listing && unforeseen()) {
        flushQueued();
        listing = list(dirParts);
        fat = currentFree();
    }
    if (!listing)
        throw IoError(QStringLiteral("Cannot %1 %2: the directory %3 does not exist")
                          .arg(verb, where(path), dosPath(dirParts)));
    if (!fat && listing->freeBytes < 0)
        throw IoError(
            QStringLiteral("Cannot %1 %2: mdir did not tell the free space").arg(verb, where(path)));
    Space space;
    space.generation = m_generation;
    space.capacity = fat ? qMax<qint64>(0, fat->freeBytes - m_queuedBytes) : listing->freeBytes;
    space.cluster = fat ? fat->clusterBytes : clusterSize();
    QString name = path.parts.last().toUpper();
    if (const Mtools::Entry* entry = listing->find(path.parts.last())) {
        if (entry->directory)
            throw IoError(QStringLiteral("Cannot %1 %2: it is a directory").arg(verb, where(path)),
                          IoError::Problem::FolderInTheWay);
        if (attributes(path) & DosAttr::ReadOnly)
            throw IoError(QStringLiteral("Cannot %1 %2: the file is read-only").arg(verb, where(path)),
                          IoError::Problem::ReadOnlyFile);
        space.capacity += (entry->size + space.cluster - 1) / space.cluster * space.cluster;
        space.replaces = true;
        // The existing entry's own name, so that mcopy replaces that file and no other.
        name = entry->longName.isEmpty() ? entry->shortName : entry->longName;
    } else if (dirParts.isEmpty() && fat && fat->freeRootEntries - m_queuedRootEntries <= 0) {
        throw IoError(
            QStringLiteral("Cannot %1 %2: the root directory of the diskette is full").arg(verb, where(path)),
            IoError::Problem::DirectoryFull);
    }
    space.target = dosPath(dirParts + QStringList{name});
    space.queueable = !space.replaces && !unforeseen();
    space.growth = grows() ? space.cluster : 0;
    return space;
}

ImageVolume::Space ImageVolume::remeasured(const Space& space, qint64 size, const VolumePath& path) {
    if (space.generation == m_generation)
        return space;
    Space current = measure(path);
    // mcopy deletes the old file before it finds that the new one does not fit.
    if (size > current.capacity)
        throw IoError(QStringLiteral("Cannot write %1: the diskette is full; the file was not changed")
                          .arg(where(path)),
                      IoError::Problem::NoSpace);
    return current;
}

void ImageVolume::noteStored(const QString& target) {
    ++m_generation;
    m_lastStored = target.toUpper();
    m_lastStoredGeneration = m_generation;
}

void ImageVolume::store(const QString& hostFile, qint64 size, const Space& space, const VolumePath& path,
                        bool keepHostTime) {
    const Space current = remeasured(space, size, path);
    const QStringList dirParts = path.parts.mid(0, path.parts.size() - 1);
    if (storeFileInMemory(hostFile, path, keepHostTime)) {
        noteStored(current.target);
        return;
    }
    const qint64 clusters = (size + current.cluster - 1) / current.cluster * current.cluster;
    // Beside the editor nothing waits: what it lists must be what the image holds.
    if (current.queueable && !m_editor && clusters + current.growth <= current.capacity &&
        queue(hostFile, clusters + current.growth, size, current, path)) {
        ++m_generation;
        m_listings.stored(dirParts, current.target.section(u'/', -1), size);
        m_lastStored = current.target.toUpper();
        m_lastStoredGeneration = m_generation;
        return;
    }
    QStringList args{QStringLiteral("-D"), QStringLiteral("o")};
    if (keepHostTime)
        args << QStringLiteral("-m");
    args << hostFile << current.target;
    const Mtools::Result result = tool(QStringLiteral("mcopy"), args);
    ++m_generation;
    if (result.exitCode != 0) {
        m_listings.forget();
        fail(QStringLiteral("write"), path, result);
    }
    m_listings.stored(dirParts, current.target.section(u'/', -1), size);
    m_lastStored = current.target.toUpper();
    m_lastStoredGeneration = m_generation;
}

void ImageVolume::remove(const VolumePath& path) {
    const QString verb = QStringLiteral("delete");
    requireImage(path, verb);
    if (path.parts.isEmpty() || hasWildcard(path.parts))
        throw IoError(QStringLiteral("Cannot %1 %2: no such file").arg(verb, where(path)));
    if (attributes(path) & DosAttr::ReadOnly)
        throw IoError(QStringLiteral("Cannot %1 %2: the file is read-only").arg(verb, where(path)));
    prepareWrite(path, verb);
    if (FatEditor* fat = editor(); fat && fat->remove(path.parts) == FatEditor::Outcome::Done) {
        ++m_generation;
        saveEditor(); // at once: the working copy always holds what the editor holds
        m_madeDirs.remove(dosPath(path.parts.mid(0, path.parts.size() - 1)).toUpper());
        return;
    }
    const Mtools::Result result = tool(QStringLiteral("mdel"), {dosPath(path.parts)});
    ++m_generation;
    if (result.exitCode != 0) {
        m_listings.forget();
        fail(verb, path, result);
    }
    m_listings.removed(path.parts.mid(0, path.parts.size() - 1), path.parts.last());
    m_madeDirs.remove(dosPath(path.parts.mid(0, path.parts.size() - 1)).toUpper());
}

void ImageVolume::makeDirectory(const VolumePath& path) {
    const QString verb = QStringLiteral("make the directory");
    if (path.parts.isEmpty())
        return;
    if (hasWildcard(path.parts))
        throw IoError(QStringLiteral("Cannot %1 %2: a DOS name cannot hold * ? [ ]").arg(verb, where(path)));
    prepareWrite(path, verb);
    const QStringList parentParts = path.parts.mid(0, path.parts.size() - 1);
    if (const Mtools::Listing* kept = m_listings.listing(parentParts)) {
        const Mtools::Entry* entry = kept->find(path.parts.last());
        if (entry && entry->directory)
            return;
    }
    QStringList parts = path.parts;
    parts.last() = parts.last().toUpper();
    if (FatEditor* fat = editor();
        fat && fat->makeDirectory(parts, QDateTime::currentDateTime()) == FatEditor::Outcome::Done) {
        ++m_generation;
        saveEditor(); // at once: the working copy always holds what the editor holds
        m_madeDirs.insert(dosPath(parts).toUpper());
        return;
    }
    const Mtools::Result result =
        tool(QStringLiteral("mmd"), {QStringLiteral("-D"), QStringLiteral("s"), dosPath(parts)});
    ++m_generation;
    if (result.exitCode == 0) {
        m_listings.madeDirectory(parentParts, parts.last());
        if (m_work)
            m_madeDirs.insert(dosPath(parts).toUpper());
        return;
    }
    m_listings.forget();
    // Asking first would cost a listing on every call; an existing directory is the rare case.
    const std::optional<Mtools::Entry> entry = lookup(path.parts);
    if (entry && entry->directory)
        return;
    if (entry)
        throw IoError(QStringLiteral("Cannot %1 %2: a file of that name exists").arg(verb, where(path)),
                      IoError::Problem::FolderInTheWay);
    fail(verb, path, result);
}

QDateTime ImageVolume::fileTime(const VolumePath& path) {
    if (const std::optional<FatEditor::Entry> entry = entryInMemory(path); entry && !entry->directory)
        return entry->stamp();
    const QString copy = copyOut(path, QStringLiteral("read the date of"));
    QDateTime stamp = modificationTime(copy);
    QFile::remove(copy);
    return stamp;
}

void ImageVolume::setFileTime(const VolumePath& path, const QDateTime& stamp) {
    // mtools has no command that only sets a date: the file goes out and back in with the new one,
    // and mcopy leaves it with the archive bit alone, so the other attributes are put back.
    const QString verb = QStringLiteral("set the date of");
    if (FatEditor* fat = editor(); fat && fat->setStamp(path.parts, stamp) == FatEditor::Outcome::Done) {
        ++m_generation;
        saveEditor(); // at once: the working copy always holds what the editor holds
        return;
    }
    const quint8 kept = attributes(path);
    if (kept & DosAttr::ReadOnly)
        setAttributes(path, kept & ~DosAttr::ReadOnly);
    const QString copy = copyOut(path, verb);
    QFile file(copy);
    const bool stamped =
        file.open(QIODevice::ReadWrite) && file.setFileTime(stamp, QFileDevice::FileModificationTime);
    const qint64 size = file.size();
    file.close();
    if (!stamped) {
        QFile::remove(copy);
        throw IoError(QStringLiteral("Cannot %1 %2: %3").arg(verb, where(path), file.errorString()));
    }
    try {
        Space space = measure(path);
        store(copy, size, space, path, true);
    } catch (const IoError&) {
        QFile::remove(copy);
        throw;
    }
    QFile::remove(copy);
    if (kept != DosAttr::Archive)
        setAttributes(path, kept);
}

quint8 ImageVolume::attributes(const VolumePath& path) {
    const QString verb = QStringLiteral("read the attributes of");
    requireImage(path, verb);
    if (path.parts.isEmpty() || hasWildcard(path.parts))
        throw IoError(QStringLiteral("Cannot %1 %2: no such file").arg(verb, where(path)));
    if (const std::optional<FatEditor::Entry> entry = entryInMemory(path))
        return quint8(entry->attributes & DosAttr::kFileBits);
    if (m_listings.held()) {
        // The directory's listing says whether there is such a file; one mattrib call then gives
        // the attributes of all its files.
        const QStringList dirParts = path.parts.mid(0, path.parts.size() - 1);
        const std::optional<Mtools::Listing> listing = list(dirParts);
        const Mtools::Entry* entry = listing ? listing->find(path.parts.last()) : nullptr;
        if (!entry)
            throw IoError(QStringLiteral("Cannot %1 %2: no such file").arg(verb, where(path)));
        if (!m_listings.attributes(dirParts, entry->shortName) && !m_listings.attributesComplete(dirParts))
            listAttributes(dirParts);
        if (const std::optional<quint8> known = m_listings.attributes(dirParts, entry->shortName))
            return *known;
    }
    const Mtools::Result result = tool(QStringLiteral("mattrib"), {dosPath(path.parts)});
    if (result.exitCode != 0)
        fail(verb, path, result);
    return parseAttributes(result.output);
}

void ImageVolume::setAttributes(const VolumePath& path, quint8 attributes) {
    const QString verb = QStringLiteral("set the attributes of");
    requireImage(path, verb);
    if (path.parts.isEmpty() || hasWildcard(path.parts))
        throw IoError(QStringLiteral("Cannot %1 %2: no such file").arg(verb, where(path)));
    if (attributes == DosAttr::Archive && m_lastStoredGeneration == m_generation &&
        dosPath(path.parts).toUpper() == m_lastStored)
        return;
    const QStringList dirParts = path.parts.mid(0, path.parts.size() - 1);
    if (m_listings.held()) {
        const std::optional<Mtools::Listing> listing = list(dirParts);
        const Mtools::Entry* entry = listing ? listing->find(path.parts.last()) : nullptr;
        if (!entry)
            throw IoError(QStringLiteral("Cannot %1 %2: no such file").arg(verb, where(path)));
        if (m_listings.attributes(dirParts, entry->shortName) == attributes)
            return;
    }
    prepareWrite(path, verb);
    if (FatEditor* fat = editor();
        fat && fat->setAttributes(path.parts, attributes) == FatEditor::Outcome::Done) {
        ++m_generation;
        saveEditor(); // at once: the working copy always holds what the editor holds
        return;
    }
    const auto flag = [attributes](quint8 bit, char letter) -> QString {
        return QString(QChar((attributes & bit) ? u'+' : u'-')) + QLatin1Char(letter);
    };
    const Mtools::Result result =
        tool(QStringLiteral("mattrib"),
             {flag(DosAttr::Archive, 'a'), flag(DosAttr::ReadOnly, 'r'), flag(DosAttr::System, 's'),
              flag(DosAttr::Hidden, 'h'), dosPath(path.parts)});
    ++m_generation;
    if (result.exitCode != 0) {
        m_listings.forget();
        fail(verb, path, result);
    }
    m_listings.attributesSet(dirParts, path.parts.last(), attributes);
}

QString ImageVolume::fileIdentity(const VolumePath& path) {
    const std::optional<Mtools::Entry> entry = lookup(path.parts);
    if (!entry || entry->directory)
        return {};
    QStringList dirs = path.parts.mid(0, path.parts.size() - 1);
    for (QString& dir : dirs)
        dir = dir.toUpper();
    const QFileInfo info(m_image);
    const QString image =
        info.canonicalFilePath().isEmpty() ? info.absoluteFilePath() : info.canonicalFilePath();
    return QStringLiteral("image:%1:%2/%3").arg(image, dirs.join(u'/'), entry->shortName.toUpper());
}

void ImageVolume::replaceFile(const VolumePath& path, const QByteArray& data) {
    // A build's working copy is replaced as a whole when the build commits.
    if (m_device || m_work || !imageExists()) {
        Volume::replaceFile(path, data);
        return;
    }
    // The change is made on a working copy of the image beside it, which then replaces the image
    // at once; a link to the image stays a link.
    ReplacementFile work(m_image);
    work.copyTarget();
    {
        ImageVolume working(work.tempPath(), false);
        working.Volume::replaceFile(path, data);
    }
    work.commit();
    ++m_generation;
}

qint64 ImageVolume::fileSize(const VolumePath& path) {
    const std::optional<Mtools::Entry> entry = lookup(path.parts);
    return entry && !entry->directory ? entry->size : -1;
}

VolumeSpace ImageVolume::space() {
    flushQueued();
    std::optional<FatFree> free;
    if (!imageExists()) {
        if (m_device)
            requireImage({}, QStringLiteral("find the free space of"));
        // What the diskette will be once the first write makes it.
        free = m_template.isEmpty() ? FatImage::blankDiskette() : FatImage::readFree(m_template);
        if (!free)
            throw IoError(QStringLiteral("Cannot find the free space of %1: %2")
                              .arg(m_image, FatImage::templateProblem(m_template)));
    } else {
        free = currentFree();
    }
    if (free)
        return {free->clusterBytes, free->freeBytes, free->freeRootEntries};
    // A layout the program does not read itself: mtools' figure, and no count of root entries.
    const std::optional<Mtools::Listing> root = list({});
    if (!root || root->freeBytes < 0)
        throw IoError(QStringLiteral("Cannot find the free space of %1: mdir did not tell it").arg(m_image));
    return {clusterSize(), root->freeBytes, -1};
}
