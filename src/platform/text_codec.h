#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the single-byte character set of the program's files. Characters it cannot hold
// are written as "?".
namespace TextCodec {
QByteArray toCp1252(const QString& text);
QString fromCp1252(const QByteArray& bytes);
} // namespace TextCodec
