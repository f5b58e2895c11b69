#pragma once

#include "platform/dos_fs.h"
#include "platform/file_lock.h"
#include "platform/io_error.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <memory>

// A path on one volume: its components below the volume's root, already split and freed of
// trailing dots, plus the path as the caller wrote it, so that messages name what the user knows.
struct VolumePath {
    QStringList parts;
    QString shown;
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
    virtual void setAttributes(const VolumePath& path, quint8 attributes) = 0;
    // A text that names the file behind the path and only that file, for comparing two paths;
    // empty when no file of that name exists.
    virtual QString fileIdentity(const VolumePath& path) = 0;

    // What to tell the user about the diskette before it is written to (DisketteCheck).
    virtual DisketteCheck check() { return {}; }
    // Holds the diskette, or on a directory the file itself, for one read-modify-write of the
    // file at path, so that two programs updating it take turns.
    virtual FileLock lockForUpdate(const VolumePath&) { return {}; }

    // Replaces the file's contents so that a failure part-way leaves the old file whole. Where the
    // volume cannot promise that (a floppy device), the file is simply written anew.
    virtual void replaceFile(const VolumePath& path, const QByteArray& data) {
        const std::unique_ptr<DosWriter> writer = create(path);
        const qint64 written = writer->write(data.constData(), data.size());
        writer->close();
        if (written < data.size())
            throw IoError(QStringLiteral("Cannot write %1: the disk is full").arg(path.shown));
    }
};
