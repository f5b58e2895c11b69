#pragma once

#include <QByteArray>
#include <QString>
#include <future>

// The one way the program replaces a file: profile files, WATTCP.CFG on a directory diskette and
// the working copy of a diskette image all go through it. The new contents go into a temporary
// file beside the file ("." NAME ".bw-tmp." PID "." XXXX, mode 0600, so a killed run leaves
// nothing others can read and the next start knows whose it was); every write, the flush to the
// disk and the rename are checked, and any failure leaves the old file whole. Unless told
// otherwise, a symbolic link stays a link: the file it points to is replaced. The new file keeps
// the old one's owner, group and mode.
class ReplacementFile {
public:
    // What becomes of a symbolic link at the path: its target is replaced (the link stays a link),
    // or the link itself is, in a folder where a link may have been planted by someone else.
    enum class Links { Follow, Replace };

    // Follows links to the file to replace (unless told not to) and makes the temporary file.
    // Throws IoError.
    explicit ReplacementFile(const QString& path, Links links = Links::Follow);
    ~ReplacementFile(); // removes the temporary file unless committed
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    const QString& target() const { return m_target; } // the file replaced, links followed
    const QString& tempPath() const { return m_temp; }
    bool targetExists() const { return m_exists; }

    // Appends to the temporary file; throws IoError when the disk takes less.
    void write(const QByteArray& bytes);
    // Writes at offset and goes on appending from the end of what it wrote. Throws IoError.
    void writeAt(qint64 offset, const QByteArray& bytes);
    // Gives the temporary file size bytes that read as zeros, their room on the disk taken at
    // once (so that a full disk shows here), without writing them. Throws IoError.
    void allocate(qint64 size);
    // Appends the target's present contents (a working copy that is then changed in place).
    void copyTarget();
    // Flushes what the temporary file holds so far to the disk on a thread of its own, so that
    // the flush at commit finds little left to do; nothing when one is still under way. A failure
    // is kept for commit() to report (the system tells it to one flush only).
    void startFlush();
    // Flushes the temporary file to the disk, gives it the old file's owner, group and mode (a new
    // file gets 0666 less the umask) and renames it over the target. Throws IoError.
    void commit();

    static void replace(const QString& path, const QByteArray& bytes, Links links = Links::Follow);

    // Test seam: called with the temporary file, complete and flushed, just before it replaces the
    // target; throwing from it stands for a failure at the last moment.
    using CommitHook = void (*)(const QString& tempPath);
    static void setCommitHookForTesting(CommitHook hook);

    // True for a name this class gives its temporary files.
    static bool isTemporaryName(const QString& fileName);
    // Removes the temporary files in dir whose process has ended (or that are older than a day);
    // only those of one target name when name is given.
    static void removeStale(const QString& dir, const QString& name = {});
    // While one is held, removeStale lists each folder once and keeps what it found, so that a
    // run writing a thousand images into one folder does not list it for each. What a process
    // that ends meanwhile leaves behind is the next run's to clear.
    class StaleListingHold {
    public:
        StaleListingHold();
        ~StaleListingHold();
        StaleListingHold(const StaleListingHold&) = delete;
        StaleListingHold& operator=(const StaleListingHold&) = delete;
    };

private:
    [[noreturn]] void fail(const QString& what, int error) const;
    void discard();

    QString m_target;
    QString m_temp;
    int m_fd = -1;
    bool m_exists = false;
    bool m_committed = false;
    std::future<int> m_flushing; // the errno of a flush under way, 0 for none
    int m_flushError = 0;
    void joinFlush();
    Links m_links = Links::Follow;
};
