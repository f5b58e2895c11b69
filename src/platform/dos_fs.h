#pragma once

#include "platform/drive_table.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <map>
#include <memory>
#include <optional>

class FileLock;
class Volume;
struct ReadBack;
struct VolumeSpace;

// What a diskette is like before anything is written to it: a refusal (the file is no diskette)
// ends the work; a warning (an image of an unusual size)
// is shown and the work goes on. Both empty for an ordinary diskette.
struct DisketteCheck {
    QString refusal;
    QString warning;
    // Why nothing can be written to it (a write-protected device, a read-only file system, an
    // image whose folder is missing), naming it; empty when it takes writes.
    QString unwritable;
};

// DOS file attributes, as the diskette keeps them.
namespace DosAttr {
enum : quint8 { ReadOnly = 0x01, Hidden = 0x02, System = 0x04, Archive = 0x20 };
// The attributes a file's entry carries that this program reads and sets (not directory or label).
constexpr quint8 kFileBits = Archive | ReadOnly | System | Hidden;
} // namespace DosAttr

// An open file being written. write() returns how many bytes were taken: fewer than offered when
// the volume is full (as a DOS write falls short on a full diskette). close() makes the file final;
// on an image volume that is when it reaches the image. Destroying an unclosed writer closes it
// and swallows errors.
class DosWriter {
public:
    virtual ~DosWriter() = default;
    virtual qint64 write(const char* data, qint64 size) = 0;
    // The file's date and time stamp, applied when the file is closed.
    virtual void setFileTime(const QDateTime& stamp) = 0;
    virtual void close() = 0; // throws IoError
};

class DosReader {
public:
    virtual ~DosReader() = default;
    // Up to size bytes; 0 at the end of the file. Throws IoError on a read failure.
    virtual qint64 read(char* data, qint64 size) = 0;
    virtual QDateTime fileTime() const = 0;
    virtual quint8 attributes() const = 0;
};

// The file system as the program sees it: DOS paths on drive letters mapped by a DriveTable, host
// paths ("/..."), and paths without a drive relative to the current directory. Names match without
// regard to letter case on every volume. Every failure throws IoError with a message that says what
// failed and where.
class DosFs {
public:
    explicit DosFs(DriveTable drives = {});
    ~DosFs();
    DosFs(const DosFs&) = delete;
    DosFs& operator=(const DosFs&) = delete;

    const DriveTable& drives() const { return m_drives; }
    // Maps a letter to another host path for the rest of this run (an empty path unmaps it), as
    // when a different diskette goes into the drive; the volume held for that letter is dropped.
    void mapDrive(QChar letter, const QString& hostPath);

    bool fileExists(const QString& path); // a file (not a directory) of that name exists
    bool directoryExists(const QString& path);
    std::unique_ptr<DosReader> openRead(const QString& path);
    std::unique_ptr<DosWriter> create(const QString& path); // creates or truncates
    QByteArray readFile(const QString& path);
    void writeFile(const QString& path, const QByteArray& data); // a short write throws too
    // Writes the file anew so that a failure part-way (a full diskette, a crash) leaves the old
    // contents whole: on a directory and an image file the new file replaces the old one at once.
    void replaceFile(const QString& path, const QByteArray& data);
    void remove(const QString& path);
    void makeDirectory(const QString& path); // an existing directory is no error
    QDateTime fileTime(const QString& path);
    void setFileTime(const QString& path, const QDateTime& stamp);
    quint8 attributes(const QString& path);
    std::optional<quint8> attributesIfPresent(const QString& path); // none: no such file
    void setAttributes(const QString& path, quint8 attributes);
    // True when both paths name the same existing file.
    bool sameFile(const QString& a, const QString& b);
    // The diskette that holds path, looked at before it is written to.
    DisketteCheck checkDiskette(const QString& path);
    // Holds the diskette (an image or a device) or the file (on a directory) for one
    // read-modify-write of path; released when the lock is destroyed.
    FileLock lockForUpdate(const QString& path);

    qint64 fileSize(const QString& path); // -1 when there is no such file
    // Free space of the volume that holds path, found without writing anything.
    VolumeSpace space(const QString& path);
    // The files as they now stand, read back in as few passes as each volume allows.
    QList<ReadBack> readBack(const QStringList& paths);
    // What an independent check of the volume holding path found wrong (fsck.fat on an image), or
    // empty.
    QString checkFileSystem(const QString& path);
    // Where a path is, for people: its host path, or the file in its image.
    QString describe(const QString& path);

    // While one is alive, volumes may keep their directory listings between calls, up to date with
    // the program's own writes: a build lists each directory once. Without one nothing is kept, as
    // a diskette may be changed at any time.
    class ListingHold {
    public:
        explicit ListingHold(DosFs& fs);
        ~ListingHold();
        ListingHold(const ListingHold&) = delete;
        ListingHold& operator=(const ListingHold&) = delete;

    private:
        DosFs& m_fs;
    };
    // One build on the diskette behind a drive: other programs' updates wait until it ends, and on
    // an image every change goes into a working copy that commit() puts in place at once, so that
    // a build that fails or is killed leaves the old diskette whole. Ending without a commit drops
    // the working copy. A folder or a device is written in place.
    class DisketteWork {
    public:
        DisketteWork(DosFs& fs, const QString& root); // throws IoError
        ~DisketteWork();
        DisketteWork(const DisketteWork&) = delete;
        DisketteWork& operator=(const DisketteWork&) = delete;
        void commit(); // throws IoError; the work has ended then

    private:
        DosFs& m_fs;
        QString m_root;
    };
    // Drops what the volumes kept (a diskette was swapped); a hold stays in force.
    void forgetListings();
    // Puts a volume of the caller's making behind a letter for the rest of this run.
    void mount(QChar letter, std::unique_ptr<Volume> volume);

private:
    struct Location;
    Location locate(const QString& path);
    void holdAll(bool on);
    DriveTable m_drives;
    std::map<QChar, std::unique_ptr<Volume>> m_volumes; // created on first use
    int m_holds = 0;
};
