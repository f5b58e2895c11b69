#pragma once

#include <QByteArray>
#include <QString>

// What reading a file given from outside found. Each caller words the refusals itself.
struct RegularFileRead {
    enum class Outcome {
        Read,       // bytes holds the whole file
        Missing,    // nothing has the name; error holds the system's words for that
        Folder,     // a folder has the name
        NotRegular, // a fifo, a device, a socket has the name
        TooLarge,   // size is what was found: more than the largest size asked for
        Failed,     // error holds the system's words
    };
    Outcome outcome = Outcome::Read;
    QByteArray bytes;
    QString error;
    qint64 size = 0;
};

// Reads a regular file of at most maxBytes whole. The file is opened without waiting and looked at
// before a byte is read: a fifo would wait for a writer for ever, and a device give bytes for ever.
// A file that grows past maxBytes while it is read counts as too large.
RegularFileRead readRegularFile(const QString& path, qint64 maxBytes);
