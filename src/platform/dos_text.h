#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class DosFs;

// A DOS text file: lines in Windows-1252, each ended by CR LF.
namespace DosText {
QByteArray encode(const QStringList& lines);
// Creates (or truncates) the file and writes the lines. Throws IoError on any failure, a short
// write on a full diskette included.
void write(DosFs& fs, const QString& path, const QStringList& lines);
} // namespace DosText
