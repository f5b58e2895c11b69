#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the single-byte character set of the program's files. Characters it cannot hold
// are written as "?".
namespace TextCodec {
QByteArray toCp1252(const QString& text);
QString fromCp1252(const QByteArray& bytes);
// The first character of text that Windows-1252 lacks (a surrogate pair counts as one character),
// or an empty text when it has them all.
QString firstUnencodable(const QString& text);
// A character as messages name it: "ж" (U+0436).
QString describe(const QString& character);
} // namespace TextCodec
