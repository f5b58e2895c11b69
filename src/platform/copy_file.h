#pragma once

#include "platform/io_error.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

class DosFs;

// What became of one copy, beyond its result.
struct CopyReport {
    // The failure behind a result other than 0, empty when there was none. For a write that fell
    // short without an error of its own, problem is NoSpace and message empty.
    QString message;
    IoError::Problem problem = IoError::Problem::Other;
    bool sourceFailed = false; // -1 because the source could not be opened
    qint64 size = 0;           // bytes written
    // What was written, for comparing a read-back: the bytes themselves, or for a file larger than
    // a few diskettes their SHA-256 (only that is kept then).
    QByteArray data;
    QByteArray digest;
    bool written = false; // the copy was made (not so for a file copied onto itself)
    QDateTime sourceTime; // the date and attributes the copy was given from its source
    quint8 sourceAttributes = 0;
};

// Copies one file through a 40960-byte buffer. Clears the target's attributes first, so that a
// read-only file of that name is replaced, and gives the copy the source's date, time and
// attributes. Returns 0 when copied, 1 when a write fell short (a full diskette), -1 when the
// source could not be opened or the target could not be created. A file copied onto itself is
// left as it is and counts as copied. report, when given, says what went wrong.
int CopyMyFile(DosFs& fs, const QString& source, const QString& target, CopyReport* report = nullptr);
