#pragma once

#include "platform/boot_sector.h"
#include "platform/file_signature.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

// A FAT12 diskette image held in memory while a build changes its private working copy: the
// directories, files and attributes a build reads and writes, without starting an mtools process
// for each. It writes entries as mtools does (dates in local time, the archive bit on new files),
// but only where that is certain: short upper-case 8.3 names, in directories that hold no long
// names and no damage. Whatever else it meets it declines (Outcome::Unsupported), and the caller
// goes the mtools way instead. Changes stay in memory until save() writes the changed sectors back.
class FatEditor {
public:
    struct Entry {
        QString name; // "CONFIG.SYS", as mdir shows the short name
        quint8 attributes = 0;
        bool directory = false;
        qint64 size = 0;
        quint16 date = 0, time = 0; // as DOS keeps them
        QDateTime stamp() const;    // in local time, as mtools reads it
    };
    struct Listing {
        bool supported = false; // false: leave this directory to mtools
        bool exists = false;
        QList<Entry> entries; // without "." and ".."
    };
    enum class Outcome { Done, Missing, IsDirectory, NoSpace, DirectoryFull, Unsupported };

    // Null when the file cannot be read whole or holds no FAT12 file system.
    static std::unique_ptr<FatEditor> load(const QString& path);
    // The same from an image's bytes in hand.
    static std::unique_ptr<FatEditor> fromBytes(QByteArray image);
    // An image of size bytes that begins with start and holds zeros after it.
    static std::unique_ptr<FatEditor> fromStart(const QByteArray& start, qint64 size);
    // For reading only: the file is mapped, not copied, so only what is read is fetched. Any
    // change made through it would go to a private copy, never to the file.
    static std::unique_ptr<const FatEditor> view(const QString& path);

    const FatLayout& layout() const { return m_layout; }
    qint64 freeBytes() const;
    int freeRootEntries() const;
    Listing list(const QStringList& dirParts) const;
    // The file's bytes; nullopt with *outcome saying why not.
    std::optional<QByteArray> read(const QStringList& parts, Outcome* outcome) const;

    // Creates the file, or replaces a file of that name in its own directory entry. Nothing
    // changes unless the whole file fits.
    Outcome write(const QStringList& parts, const QByteArray& data, const QDateTime& stamp,
                  quint8 attributes);
    Outcome remove(const QStringList& parts);
    Outcome makeDirectory(const QStringList& parts, const QDateTime& stamp);
    Outcome setAttributes(const QStringList& parts, quint8 attributes);
    Outcome setStamp(const QStringList& parts, const QDateTime& stamp);

    bool changed() const;
    // False when the file no longer holds what the editor last loaded or saved: another program
    // wrote to it since (its times, or the FAT or root directory, differ).
    bool unchangedOnDisk(const QString& path) const;
    // The file at path now holds exactly the editor's bytes (written by the caller).
    void adopt(const QString& path) { m_saved = signatureOf(path); }
    // Writes the changed sectors to the file; throws IoError naming shownAs when a write fails.
    void save(const QString& path, const QString& shownAs);

    // The 11 bytes of a directory entry's name for an 8.3 name DOS writes as it stands; empty
    // when the name needs a long name or a change (lower case, too long, a character DOS refuses).
    static QByteArray shortName(const QString& name);

private:
    struct Dir {
        bool root = true;
        quint32 cluster = 0; // first cluster of a subdirectory
    };
    struct Found {
        Outcome outcome = Outcome::Done;
        Dir dir;
        qint64 entry = -1; // offset of the named entry, -1 when the directory has none
        qint64 free = -1;  // offset of the first free slot, -1 when the directory is full
        qint64 end = -1;   // the slot after it, when it ends the directory and more follow
    };
    // Fills the free slot found; when it ended the directory, the next slot ends it now.
    void fill(const Found& found, qint64 slot);

    // The image's bytes: a buffer of the editor's own, or a private mapping of the file where only
    // the pages read are fetched and only those written are copied.
    struct Bytes {
        char* at = nullptr;
        qint64 length = 0;
        std::shared_ptr<void> owner;
        char operator[](qint64 i) const { return at[i]; }
        QByteArray mid(qint64 from, qint64 n) const { return QByteArray(at + from, qsizetype(n)); }
        const char* constData() const { return at; }
        char* data() { return at; }
        qint64 size() const { return length; }
    };
    // The file as the last load or save left it.
    using Signature = std::optional<FileSignature>;
    static Signature signatureOf(const QString& path) { return FileSignature::of(path); }
    static Bytes map(const QString& path, bool writable, Signature* signature);
    static std::unique_ptr<FatEditor> fromImage(Bytes image);
    FatEditor(Bytes image, FatLayout layout);
    quint32 fat(quint32 cluster) const;
    void setFat(quint32 cluster, quint32 value);
    qint64 clusterOffset(quint32 cluster) const;
    bool validCluster(quint32 cluster) const;
    // The clusters of a chain, or nullopt when it runs out of the FAT or loops.
    std::optional<std::vector<quint32>> chain(quint32 first) const;
    std::optional<std::vector<qint64>> entrySlots(const Dir& dir) const;
    struct Scan {
        bool supported = false;
        qint64 free = -1; // offset of the first free slot
        qint64 end = -1;  // offset of the slot after free, when free ends the directory
        QList<Entry> entries;
        std::vector<qint64> offsets;                // of each entry
        qint64 offsetOf(const QString& name) const; // -1 when no entry has the name
    };
    // A directory read once until the next change: a build asks about one directory many times.
    const Scan& scan(const Dir& dir) const;
    Found find(const QStringList& parts) const;
    std::optional<Dir> directory(const QStringList& dirParts, bool* supported) const;
    std::vector<quint32> freeClusters(qint64 wanted) const;
    void freeChain(quint32 first);
    quint32 linkChain(const std::vector<quint32>& clusters);
    void put(qint64 offset, const QByteArray& bytes);
    void putEntry(qint64 offset, const QByteArray& name, quint8 attributes, quint32 first, qint64 size,
                  const QDateTime& stamp);
    Entry entryAt(qint64 offset) const;
    void touch(qint64 offset, qint64 length);

    Bytes m_image;
    FatLayout m_layout;
    Signature m_saved;
    std::vector<bool> m_dirty;                    // per sector
    size_t m_dirtyFrom = SIZE_MAX, m_dirtyTo = 0; // the sectors m_dirty may mark; none when empty
    mutable std::map<quint32, Scan> m_scans;      // by first cluster, 0 for the root
    mutable std::optional<qint64> m_freeClusters; // counted when first asked, then kept by setFat
};
