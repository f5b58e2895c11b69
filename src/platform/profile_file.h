#pragma once

#include "platform/file_lock.h"
#include "platform/io_error.h"
#include "platform/profile_document.h"

#include <QString>
#include <QStringList>
#include <stdexcept>

// A write or erase that was refused. what() is "Unable to write to " + the full path, and on a
// second line why, when that is known.
class ProfileWriteError : public std::runtime_error {
public:
    explicit ProfileWriteError(const QString& path, const QString& reason = {});
    QString path() const { return m_path; }

private:
    QString m_path;
};

// A file that is there but cannot be read as a profile file: unreadable, not a regular file, or
// larger than any real one. A missing file is no error: it reads as empty.
class ProfileReadError : public IoError {
public:
    using IoError::IoError;
};

// One private-profile (INI) file, read and written the way the Windows profile API does it, so
// that files written by either read the same in both. Holds only the path: every operation opens
// the file. Each read takes one look at the file under a shared lock; each change is one
// replacement of the file under an exclusive lock held from its read to its rename, so that two
// programs changing the file at once never lose each other's changes.
//
// The single reads never fail, as the profile functions' reads never do: a missing file, and one
// that cannot be read as a profile file, give the caller's default. snapshot() says why instead.
class ProfileFile {
public:
    explicit ProfileFile(QString path);
    const QString& path() const { return m_path; }

    // No profile file comes near this size; a larger "file" (a device, a runaway) is refused, and
    // no change may make a file larger, which every later read would refuse.
    static constexpr qint64 LargestFile = qint64{16} * 1024 * 1024;
    // Why a change that would make the file `size` bytes long is refused.
    static QString tooLargeToWrite(qint64 size);

    QString readString(const QString& section, const QString& key, const QString& defaultValue = {}) const;
    void writeString(const QString& section, const QString& key, const QString& value);
    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    void writeInteger(const QString& section, const QString& key, int value);
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;
    void writeBool(const QString& section, const QString& key, bool value);
    QStringList readSection(const QString& section) const;
    void eraseSection(const QString& section);
    void deleteKey(const QString& section, const QString& key); // a refusal is ignored

    // The file as it is now, read once under a shared lock, for several reads of one state.
    // Throws ProfileReadError for a file that is there but cannot be read as a profile file.
    ProfileDocument snapshot() const;

    // Several changes that reach the file as one replacement: all of them or none. The file is
    // locked from the read to commit() (or to the end of the Edit, which then writes nothing).
    class Edit {
    public:
        explicit Edit(const ProfileFile& file);
        ProfileDocument& document() { return m_document; }
        // Replaces the file when anything changed; throws ProfileWriteError, also before anything
        // is written when the file would grow larger than LargestFile.
        void commit();

    private:
        QString m_path;
        FileLock m_lock;
        ProfileDocument m_document;
    };

    // While one is alive, each profile file is read once in this thread: later reads take what the
    // first found, so one run works from one state of its settings (another program's change
    // half-way would only mix two). A change made through an Edit still reads under its lock, and
    // once it is made every file is read anew.
    class ReadOnce {
    public:
        ReadOnce();
        ~ReadOnce();
        ReadOnce(const ReadOnce&) = delete;
        ReadOnce& operator=(const ReadOnce&) = delete;
    };

    // Test seam: called with the temporary file just before it replaces the real one; throwing
    // from it simulates a failure at the last moment (a full disk, a crash).
    using CommitHook = void (*)(const QString& tempPath);
    static void setCommitHookForTesting(CommitHook hook);

private:
    QString fullPath() const;
    ProfileDocument lenientSnapshot() const;
    QString m_path;
};
