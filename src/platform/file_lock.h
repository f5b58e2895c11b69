#pragma once

#include <QString>
#include <memory>

// An advisory lock (flock) held while a file is read or changed, so that two programs working on it
// at once take turns. The kernel drops a lock when its process ends, however it ends: a lock left
// by a killed program never blocks the next one. Within one thread a lock already held is shared
// by nested holders instead of waiting for itself.
class FileLock {
public:
    enum class Mode { Shared, Exclusive };

    FileLock();
    ~FileLock();
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // The lock file beside path (".NAME.lock"), for a file that may not exist yet. An exclusive
    // lock makes the lock file; a shared one only takes an existing lock file, since without one
    // nobody is writing. Throws IoError when the lock file cannot be made or the wait is too long.
    static FileLock beside(const QString& path, Mode mode);
    // The file itself, for a file that exists and is replaced by renaming a new one over it: once
    // locked, the path must still name the locked file, or the lock is taken again on the new one.
    // Holds nothing when the file does not exist.
    static FileLock onFile(const QString& path, Mode mode);
    // The folder itself, for a folder that others serve or read, where a lock file would show up
    // among its contents. Throws IoError when the folder does not exist or cannot be opened.
    static FileLock onFolder(const QString& path, Mode mode);

    bool held() const { return m_entry != nullptr; }
    static QString lockFileName(const QString& path); // the lock file beside path

    // How long a lock is waited for before the operation gives up with a message.
    static constexpr int WaitSeconds = 60;

    struct Entry; // one lock as this thread holds it

private:
    explicit FileLock(Entry* entry) : m_entry(entry) {}
    static FileLock acquire(const QString& lockPath, const QString& shownPath, Mode mode, bool create,
                            bool followReplacement, bool folder = false);
    void release();

    Entry* m_entry = nullptr;
};
