#pragma once

#include <QString>

class DosFs;

// Copies one file through a 40960-byte buffer. Clears the target's attributes first, so that a
// read-only file of that name is replaced, and gives the copy the source's date, time and
// attributes. Returns 0 when copied, 1 when a write fell short (a full diskette), -1 when the
// source could not be opened or the target could not be created. A file copied onto itself is
// left as it is and counts as copied.
int CopyMyFile(DosFs& fs, const QString& source, const QString& target);
