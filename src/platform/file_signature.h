#pragma once

#include <QFile>
#include <QString>
#include <optional>
#include <sys/stat.h>

// What tells that a file or directory changed without reading it: which one it is, its size and
// its modification and change times, to the nanosecond. Another program's write changes at least
// the change time.
struct FileSignature {
    quint64 device = 0, inode = 0;
    qint64 size = -1, modified = 0, changed = 0;
    bool directory = false;
    bool operator==(const FileSignature&) const = default;

    // Nullopt when there is nothing at path that can be looked at.
    static std::optional<FileSignature> of(const QString& path) {
        struct stat st {};
        if (::stat(QFile::encodeName(path).constData(), &st) != 0)
            return std::nullopt;
        return FileSignature{quint64(st.st_dev),
                             quint64(st.st_ino),
                             qint64(st.st_size),
                             qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
                             qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec,
                             S_ISDIR(st.st_mode)};
    }
};
