#pragma once

#include "platform/dos_fs.h"
#include "platform/file_lock.h"
#include "platform/io_error.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

// A path on one volume: its components below the volume's root, already split and freed of
// trailing dots, plus the path as the caller wrote it, so that messages name what the user knows.
struct VolumePath {
    QStringList parts;
    QString shown;
};

// What a volume has room for now.
struct VolumeSpace {
    qint64 unit = 512;        // allocation unit: a file takes whole units
    qint64 freeBytes = 0;     // in whole units
    int freeRootEntries = -1; // free entries of a fixed-size root directory; -1: no such limit
};

// One file as read back from a volume: its bytes, or why it could not be read.
struct ReadBack {
    bool ok = false;
    QByteArray data;
    QString error;
};

// One place that holds files: a host directory tree or a FAT diskette (image file or device).
// Names match without regard to letter case. Every failure throws IoError naming the path and the
// volume. Nothing is cached between calls: the diskette may be changed behind the program's back.
class Volume {
public:
    virtual ~Volume() = default;

    virtual bool fileExists(const VolumePath& path) = 0;
    virtual bool directoryExists(const VolumePath& path) = 0;
    virtual std::unique_ptr<DosReader> openRead(const VolumePath& path) = 0;
    // Creates or truncates; a read-only file is refused, as DOS refuses it.
    virtual std::unique_ptr<DosWriter> create(const VolumePath& path) = 0;
    // Deletes a file; a read-only file or a directory is refused.
    virtual void remove(const VolumePath& path) = 0;
    virtual void makeDirectory(const VolumePath& path) = 0; // an existing directory is no error
    virtual QDateTime fileTime(const VolumePath& path) = 0;
    virtual void setFileTime(const VolumePath& path, const QDateTime& stamp) = 0;
    virtual quint8 attributes(const VolumePath& path) = 0;
    // The attributes of what the path names, or none when nothing does: for a file that is mostly
    // not there yet, where a refusal would cost an exception each time.
    virtual std::optional<quint8> attributesIfPresent(const VolumePath& path) {
        try {
            return attributes(path);
        } catch (const IoError&) {
            return std::nullopt;
        }
    }
    virtual void setAttributes(const VolumePath& path, quint8 attributes) = 0;
    // A text that names the file behind the path and only that file, for comparing two paths;
    // empty when no file of that name exists.
    virtual QString fileIdentity(const VolumePath& path) = 0;

    // What to tell the user about the diskette before it is written to (DisketteCheck).
    virtual DisketteCheck check() { return {}; }
    // Holds the diskette, or on a directory the file itself, for one read-modify-write of the
    // file at path, so that two programs updating it take turns.
    virtual FileLock lockForUpdate(const VolumePath&) { return {}; }
    // The size of the file, or -1 when there is no file of that name (a directory included).
    virtual qint64 fileSize(const VolumePath& path) = 0;
    // Free space and root entries, found without writing anything (a missing image is not made).
    virtual VolumeSpace space() = 0;
    // Where the path is, for people: the host path, or the file in its image.
    virtual QString describe(const VolumePath& path) = 0;

    // Reads the files back as they now stand on the volume, as few passes as the volume allows.
    virtual QList<ReadBack> readBack(const QList<VolumePath>& paths) {
        QList<ReadBack> out;
        for (const VolumePath& path : paths) {
            ReadBack file;
            try {
                const std::unique_ptr<DosReader> reader = openRead(path);
                char block[65536];
                for (qint64 n; (n = reader->read(block, sizeof block)) > 0;)
                    file.data.append(block, n);
                file.ok = true;
            } catch (const IoError& e) {
                file.error = e.message();
            }
            out.append(file);
        }
        return out;
    }
    // A check of the whole file system by a program of its own; what it found wrong, in words, or
    // empty when it found nothing or there is no such check.
    virtual QString checkFileSystem() { return {}; }
    // While held, a volume may keep what it has listed between calls (see DosFs::ListingHold).
    virtual void holdListings(bool) {}
    // One build on the whole diskette (see DosFs::DisketteWork): begun, then committed or ended.
    // A volume that cannot keep the old diskette until the commit writes in place.
    virtual void beginWork() {}
    virtual void commitWork() {}
    virtual void endWork() {}

    // Replaces the file's contents so that a failure part-way leaves the old file whole. Where the
    // volume cannot promise that (a floppy device), the file is simply written anew. Either way the
    // file is read back before it counts as written: a write the diskette did not take fails here.
    virtual void replaceFile(const VolumePath& path, const QByteArray& data) {
        const std::unique_ptr<DosWriter> writer = create(path);
        const qint64 written = writer->write(data.constData(), data.size());
        writer->close();
        if (written < data.size())
            throw IoError(QStringLiteral("Cannot write %1: the disk is full").arg(path.shown),
                          IoError::Problem::NoSpace);
        const ReadBack back = readBack({path}).value(0);
        if (!back.ok || back.data != data)
            throw IoError(back.ok ? QStringLiteral("Cannot write %1: it reads back other than it was written")
                                        .arg(describe(path))
                                  : back.error);
    }
};
