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
// A character as messages name it: "ж" (U+0436); a control character by its number alone
// (U+001A), so that the character itself never reaches a terminal or a message box.
QString describe(const QString& character);
// A character below U+0020, or U+007F: DOS takes U+001A for the end of a file, a terminal takes
// U+001B for the start of a command, and none of them is text a value may hold.
bool isControl(QChar c);
// The first control character of text, or an empty text when it has none.
QString firstControl(const QString& text);
// Text from outside, quoted for a message: in double quotes, each control character (and each C1
// control, U+0080 to U+009F) written as \xNN, so that none reaches a terminal and a NUL does not end
// the message early.
QString quoted(const QString& text);
// The same without the quotes.
QString escaped(const QString& text);
} // namespace TextCodec
