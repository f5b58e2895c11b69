#pragma once

#include "platform/fat_editor.h"
#include "platform/fat_image.h"
#include "platform/file_lock.h"
#include "platform/image_listings.h"
#include "platform/image_scratch.h"
#include "platform/mtools.h"
#include "platform/volume.h"

#include <QProcess>
#include <QSet>
#include <memory>
#include <optional>

class ReplacementFile;

// A FAT diskette held in an image file or behind a floppy block device, read and written through
// mtools. An image file that does not exist reads as an empty diskette and is created blank and
// formatted (1.44 MB) when something is first written to it, as if a fresh formatted diskette had
// been inserted; with a template image named, it is made as a copy of the template instead. New
// names are written in upper case, as DOS writes them.
//
// mtools hands an image name holding shell characters to /bin/sh; it is therefore only ever given
// a link with a plain name in this volume's own scratch directory, whatever the real path holds.
//
// Between beginWork and commitWork an image is changed in a working copy beside it, which then
// replaces it at once; a device is written in place. Either is locked for the whole time. The
// working copy, which only this build sees, is read and changed in memory where FatEditor takes
// the names and directories in question, and saved to its file before anything else reads it
// (an mtools call, the read-back, fsck.fat, the commit); whatever the editor declines goes through
// mtools as before, with mtools' own messages.
class ImageVolume : public Volume {
public:
    ImageVolume(QString image, bool device, QString templateImage = {});
    ~ImageVolume() override;
    ImageVolume(const ImageVolume&) = delete;
    ImageVolume& operator=(const ImageVolume&) = delete;

    bool fileExists(const VolumePath& path) override;
    bool directoryExists(const VolumePath& path) override;
    std::unique_ptr<DosReader> openRead(const VolumePath& path) override;
    std::unique_ptr<DosWriter> create(const VolumePath& path) override;
    void remove(const VolumePath& path) override;
    void makeDirectory(const VolumePath& path) override;
    QDateTime fileTime(const VolumePath& path) override;
    void setFileTime(const VolumePath& path, const QDateTime& stamp) override;
    quint8 attributes(const VolumePath& path) override;
    std::optional<quint8> attributesIfPresent(const VolumePath& path) override;
    void setAttributes(const VolumePath& path, quint8 attributes) override;
    QString fileIdentity(const VolumePath& path) override;
    void replaceFile(const VolumePath& path, const QByteArray& data) override;
    DisketteCheck check() override;
    FileLock lockForUpdate(const VolumePath& path) override;
    qint64 fileSize(const VolumePath& path) override;
    VolumeSpace space() override;
    QString describe(const VolumePath& path) override { return where(path); }
    // One mcopy for all the files (one more for each name that two directories share).
    QList<ReadBack> readBack(const QList<VolumePath>& paths) override;
    // fsck.fat -n on an image file, when dosfstools is installed.
    QString checkFileSystem() override;
    void holdListings(bool on) override { m_listings.hold(on); }
    void beginWork() override;
    void commitWork() override;
    void endWork() override;

    const QString& image() const { return m_image; }
    // "A:\X in the image /x/A.img", for messages.
    QString where(const VolumePath& path) const;

    // For the writer: what a file being written may hold, and putting it into the image.
    struct Space {
        qint64 capacity = 0;    // bytes a new file of that name may hold: free space plus the
                                // whole clusters of the file it replaces
        QString target;         // "::/NET/PROTOCOL.INI", the name mcopy is given
        quint64 generation = 0; // changes counted when the space was measured
        qint64 cluster = 512;   // the diskette's allocation unit
        bool replaces = false;  // a file of that name is there now
        bool queueable = false; // a new file whose directory's growth, if any, is foreseen
        qint64 growth = 0;      // bytes its directory grows by to hold a new entry
    };
    // Measures for the file at path; throws IoError when it cannot be written.
    Space measure(const VolumePath& path);
    // Copies a host file into the image as space.target. Throws IoError, and leaves the image as
    // it was, when the file no longer fits because the image changed since space was measured.
    // During a build, a new file is queued (taking the host file) and goes in with the others.
    void store(const QString& hostFile, qint64 size, const Space& space, const VolumePath& path,
               bool keepHostTime);
    // The same for bytes in hand (stamp invalid: the time of the copy). Only where the editor
    // cannot take them do they go to a host file for mcopy.
    void storeBytes(const QByteArray& data, const QDateTime& stamp, const Space& space,
                    const VolumePath& path);
    // True while the diskette is changed in memory: a writer may then keep its bytes in memory too.
    bool inMemory() { return editor() != nullptr; }
    // A fresh host path in this volume's scratch directory.
    QString scratchPath() { return m_scratch.newPath(); }

private:
    QString dosPath(const QStringList& parts) const;
    // The build's working copy in memory, or null where mtools does the work.
    FatEditor* editor();
    void saveEditor();
    // What the editor has room for, or the image file's own figure without an editor.
    std::optional<FatFree> currentFree();
    // Each returns false, having changed nothing, when the editor cannot do it exactly.
    bool listInMemory(const QStringList& dirParts, std::optional<Mtools::Listing>* out);
    bool storeInMemory(const QByteArray& data, const QDateTime& stamp, const VolumePath& path);
    bool storeFileInMemory(const QString& hostFile, const VolumePath& path, bool keepHostTime);
    // The space measured anew when the image changed since; throws when size no longer fits.
    Space remeasured(const Space& space, qint64 size, const VolumePath& path);
    void noteStored(const QString& target);
    std::unique_ptr<DosReader> openInMemory(const VolumePath& path);
    // The file's entry as the editor lists it, when the editor can tell; *known (when given) says
    // whether it could, so that nullopt with it set means there is no such file.
    std::optional<FatEditor::Entry> entryInMemory(const VolumePath& path, bool* known = nullptr);
    void readBackInMemory(const QList<VolumePath>& paths, QList<ReadBack>& out, QList<qsizetype>& pending);
    // fsck.fat -n started on the image as it now is, for checkFileSystem() to take up; anything
    // that writes the image stops it first.
    void startCheck();
    void dropCheck();
    // The file mtools works on: the working copy while there is one, else the image or device.
    QString file() const;
    bool imageExists() const;
    // Makes sure the diskette can take a write: creates a missing image blank, and checks that the
    // image file or device opens for writing.
    void prepareWrite(const VolumePath& path, const QString& verb);
    void requireImage(const VolumePath& path, const QString& verb) const;
    static bool hasWildcard(const QStringList& parts);
    // Runs an mtools program on the diskette once the queued files are in; runTool without them.
    Mtools::Result tool(const QString& name, QStringList args);
    Mtools::Result runTool(const QString& name, QStringList args);
    // A new file of a build's working copy waits in the scratch directory under its DOS name, and
    // goes in with the files queued after it for the same directory in one mcopy: before any
    // other mtools call, the free-space figure, fsck.fat and the commit. False when it cannot wait.
    // takes: the whole clusters it and its directory's growth will take.
    bool queue(const QString& hostFile, qint64 takes, qint64 size, const Space& space,
               const VolumePath& path);
    void flushQueued();
    void dropQueued();
    // True when a new entry in a subdirectory may need one more cluster for the directory itself,
    // which the queued files' count does not foresee.
    static bool directoryMayGrow(const QStringList& dirParts, const QString& name,
                                 const Mtools::Listing& listing, const FatFree& fat);
    // Fills a new image's file: a copy of the template, or a blank formatted diskette, whose first
    // sectors (all that is not zeros) it returns.
    QByteArray makeImage(ReplacementFile& image, const VolumePath& path, const QString& verb);
    [[noreturn]] void fail(const QString& verb, const VolumePath& path, const Mtools::Result& result) const;
    // The listing of a directory, or nothing when the directory does not exist.
    std::optional<Mtools::Listing> list(const QStringList& dirParts);
    std::optional<Mtools::Entry> lookup(const QStringList& parts);
    // The attributes of every file in the directory, in one mattrib call.
    void listAttributes(const QStringList& dirParts);
    qint64 clusterSize() const;
    // Copies a file out of the image with its date; throws IoError when it is not there.
    QString copyOut(const VolumePath& path, const QString& verb);

    QString m_image;
    bool m_device;
    QString m_template;
    ImageListings m_listings;
    quint64 m_generation = 0;
    // The file the last write put into the image: mcopy left it with the archive bit alone, so
    // giving it just that bit right after needs no call.
    QString m_lastStored;
    quint64 m_lastStoredGeneration = 0;
    ImageScratch m_scratch;
    struct Queued {
        QString staged; // host file named as on the diskette
        QString dir;    // "::/NET/"
        QString target; // "::/NET/PROTOCOL.INI"
        VolumePath path;
        qint64 size = 0;
    };
    QList<Queued> m_queued;
    QString m_stagingDir;
    qint64 m_queuedBytes = 0; // whole clusters
    int m_queuedRootEntries = 0;
    QSet<QString> m_madeDirs; // "::/NET", made by the build under way
    FileLock m_lock;
    std::unique_ptr<ReplacementFile> m_work;
    std::unique_ptr<FatEditor> m_editor;
    bool m_editorDeclined = false; // the working copy holds what the editor does not read
    bool m_workMade = false;       // the working copy holds a diskette (a new image's only once written)
    std::unique_ptr<QProcess> m_check;
};
