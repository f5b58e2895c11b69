#include "batch/batch_update.h"

#include "platform/dialogs.h"
#include "platform/dos_fs.h"
#include "platform/io_error.h"
#include "platform/text_codec.h"
#include "platform/text_util.h"
#include "rules/address_routines.h"

#include <QList>

namespace {

const QString kHeader = QStringLiteral("[CLIENT DISKETTE OPERATION]");
constexpr int kLinesRead = 7;

struct Key {
    QString name;    // as written: "MY_IP"
    qsizetype width; // characters compared, in capitals
};

const Key kKeys[3] = {
    {QStringLiteral("MY_IP"), 5}, {QStringLiteral("HOSTNAME"), 8}, {QStringLiteral("NETMASK"), 7}};

// Splits a file into lines, each with the line break it had ("" for a last line without one).
QList<QPair<QString, QByteArray>> splitLines(const QByteArray& bytes) {
    QList<QPair<QString, QByteArray>> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        qsizetype next = end;
        if (next < bytes.size() && bytes[next] == '\r')
            ++next;
        if (next < bytes.size() && bytes[next] == '\n' && (next == end || bytes[next - 1] == '\r'))
            ++next;
        lines.append({TextCodec::fromCp1252(bytes.mid(start, end - start)), bytes.mid(end, next - end)});
        start = next;
    }
    return lines;
}

int keyOf(const QString& line) {
    for (int k = 0; k < 3; ++k)
        if (line.left(kKeys[k].width).toUpper() == kKeys[k].name)
            return k;
    return -1;
}

QString withoutBlanks(const QString& address) {
    return StrTran(address, QStringLiteral(" "), QString());
}

} // namespace

QByteArray BatchUpdate::rewrite(const QByteArray& old, const Fields& fields) {
    QList<QPair<QString, QByteArray>> lines = splitLines(old);
    // The new text of each key, or null when the diskette keeps its own.
    const QString updates[3] = {fields.updateAddress ? withoutBlanks(fields.address.trimmed()) : QString(),
                                fields.updateName ? fields.name.trimmed() : QString(), QString()};
    bool found[3] = {false, false, false};
    for (qsizetype i = 0; i < lines.size() && i < kLinesRead; ++i) {
        const int k = keyOf(lines[i].first);
        if (k < 0 || found[k])
            continue;
        found[k] = true;
        if (!updates[k].isNull())
            lines[i].first = kKeys[k].name + QLatin1Char('=') + updates[k];
    }
    // Keys the diskette lacks come after the section header, in their usual order.
    qsizetype insertAt = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].first.trimmed().compare(kHeader, Qt::CaseInsensitive) == 0) {
            insertAt = i + 1;
            break;
        }
    }
    const QByteArray lineEnd =
        lines.isEmpty() || lines.first().second.isEmpty() ? QByteArray("\r\n") : lines.first().second;
    for (int k = 0; k < 3; ++k) {
        if (!found[k] && !updates[k].isNull())
            lines.insert(insertAt++, {kKeys[k].name + QLatin1Char('=') + updates[k], lineEnd});
    }
    QByteArray out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        out += TextCodec::toCp1252(lines[i].first);
        // Every line ends with a break, the last one too.
        out += lines[i].second.isEmpty() ? lineEnd : lines[i].second;
    }
    return out;
}

BatchUpdate::End BatchUpdate::go(Fields& fields) {
    const auto inform = [this](const QString& text) {
        m_dialogs.message(text, Dialogs::Icon::Information, Dialogs::Buttons::Ok, 0);
    };
    if (!fields.updateAddress && !fields.updateName) {
        inform(QStringLiteral("Nothing to do!"));
        return End::NothingToDo;
    }
    const QString drive = QString(fields.drive.toUpper()) + QLatin1Char(':');
    const QString file = drive + QStringLiteral("\\WATTCP.CFG");
    for (int diskette = 1;; ++diskette) {
        // Shown as the diskette carries it: without the blanks the field keeps for digits not typed.
        const QString address = StrTran(fields.address, QStringLiteral(" "), QString());
        const QString name = fields.name.trimmed();
        const QString prompt =
            diskette == 1
                ? QStringLiteral("Insert the first floppy diskette in drive %1.  Press OK when ready.")
                      .arg(drive)
                : QStringLiteral("Update Successful.\rDisk IP Address is: %1\rDisk Client Name is: %2\r\r"
                                 "Insert the next floppy diskette in drive %3.  Press OK when ready.")
                      .arg(address, name, drive);
        if (m_dialogs.message(prompt, Dialogs::Icon::Information, Dialogs::Buttons::OkCancel, 0) !=
            Dialogs::Button::Ok)
            return End::Stopped;

        if (diskette > 1) {
            // Both fields advance, whether or not they are written.
            QString mask = QStringLiteral("255.  0.  0.  0");
            AddressRoutines::blankFill(fields.address, mask);
            if (const auto next = AddressRoutines::incrementLastOctet(fields.address))
                fields.address = *next;
            fields.name = AddressRoutines::AutoClientInc(fields.name, AddressPages::MulticastClient);
        }
        if (diskettePlaced && !diskettePlaced(diskette))
            return End::Stopped;

        if (!m_fs.fileExists(file)) {
            inform(QStringLiteral("Could not find WATTCP.CFG file on the diskette!"));
            return End::MissingFile;
        }
        QByteArray old;
        try {
            old = m_fs.readFile(file);
        } catch (const IoError&) {
            inform(QStringLiteral("Could not open WATTCP.CFG file!"));
            return End::UnreadableFile;
        }
        m_fs.replaceFile(file, rewrite(old, fields));
        if (updated)
            updated(diskette, fields.updateAddress ? withoutBlanks(fields.address.trimmed()) : QString(),
                    fields.updateName ? fields.name.trimmed() : QString());
    }
}
