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
    fs.writeFile(path, encode(lines));
}

} // namespace DosText
