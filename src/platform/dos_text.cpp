#include "platform/dos_text.h"

#include "platform/dos_fs.h"
#include "platform/io_error.h"
#include "platform/text_codec.h"

namespace DosText {

QByteArray encode(const QStringList& lines) {
    QByteArray out;
    for (const QString& line : lines) {
        out += TextCodec::toCp1252(line);
        out += "\r\n";
    }
    return out;
}

void write(DosFs& fs, const QString& path, const QStringList& lines) {
    // A character the diskette's character set lacks would reach the file as "?", while the
    // program reports the text as it was typed.
    for (const QString& line : lines) {
        const QString c = TextCodec::firstUnencodable(line);
        if (!c.isEmpty())
            throw IoError(QStringLiteral("Cannot write %1: the line \"%2\" holds %3, which a DOS text file "
                                         "(Windows-1252) cannot hold")
                              .arg(path, line, TextCodec::describe(c)));
    }
    fs.writeFile(path, encode(lines));
}

} // namespace DosText
