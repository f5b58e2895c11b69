#pragma once

#include <QString>
#include <stdexcept>

// An input/output failure that the program does not handle on the spot: it ends the operation in
// progress and reaches the caller's error box. The text says what failed and where (the path).
class IoError : public std::runtime_error {
public:
    // What stood in the way, where a caller wants to say it in words of its own.
    enum class Problem {
        Other,
        NoSpace,        // the disk is full
        DirectoryFull,  // no free entry left in a FAT root directory
        FolderInTheWay, // a directory has the name the file needs
        ReadOnlyFile,   // a read-only file has the name the file needs
        WriteProtected, // the disk (image, device, directory) refuses writes
    };

    explicit IoError(const QString& message, Problem problem = Problem::Other)
        : std::runtime_error(message.toStdString()), m_problem(problem) {}
    QString message() const { return QString::fromStdString(what()); }
    Problem problem() const { return m_problem; }

private:
    Problem m_problem;
};
