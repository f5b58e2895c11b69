#include "batch/batch_update.h"

#include "platform/dialogs.h"
#include "platform/dos_fs.h"
#include "platform/file_lock.h"
#include "platform/io_error.h"
#include "platform/text_codec.h"
#include "platform/text_util.h"
#include "rules/address_routines.h"

#include <QList>

namespace {

const QString kHeader = QStringLiteral("[CLIENT DISKETTE OPERATION]");

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

QString BatchUpdate::fieldProblem(const QString& value, const QString& field) {
    for (const QChar c : value) {
        if (c == u'\r' || c == u'\n')
            return QStringLiteral("%1 cannot hold a line break: it would add lines to WATTCP.CFG.")
                .arg(field);
        if (c.unicode() < 32 && c != u'\t')
            return QStringLiteral("%1 cannot hold the control character U+%2.")
                .arg(field, QString::number(c.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0')));
    }
    if (const QString c = TextCodec::firstUnencodable(value); !c.isEmpty())
        return QStringLiteral("%1 holds %2, which WATTCP.CFG (Windows-1252) cannot hold.")
            .arg(field, TextCodec::describe(c));
    return {};
}

QByteArray BatchUpdate::rewrite(const QByteArray& old, const Fields& fields) {
    QList<QPair<QString, QByteArray>> lines = splitLines(old);
    // The new text of each key, or null when the diskette keeps its own.
    const QString updates[3] = {fields.updateAddress ? withoutBlanks(fields.address.trimmed()) : QString(),
                                fields.updateName ? fields.name.trimmed() : QString(),
                                fields.updateMask ? withoutBlanks(fields.mask.trimmed()) : QString()};
    for (int k = 0; k < 2; ++k) {
        if (const QString problem = fieldProblem(updates[k], kKeys[k].name); !problem.isEmpty())
            throw FieldError(problem);
    }
    // Where the keys belong: the lines before the first section and the section
    // "[CLIENT DISKETTE OPERATION]". Looked at in file order, so the first seven lines, where the
    // keys have always been looked for, come first; a key in another section is not this file's.
    qsizetype header = -1;
    QList<bool> ours(lines.size(), false);
    bool inOurs = true;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString t = lines[i].first.trimmed();
        if (t.startsWith(QLatin1Char('['))) {
            inOurs = header < 0 && t.compare(kHeader, Qt::CaseInsensitive) == 0;
            if (inOurs)
                header = i;
            continue;
        }
        ours[i] = inOurs;
    }
    qsizetype where[3] = {-1, -1, -1};
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int k = ours[i] ? keyOf(lines[i].first) : -1;
        if (k >= 0 && where[k] < 0)
            where[k] = i;
    }
    bool found[3] = {false, false, false};
    for (int k = 0; k < 3; ++k) {
        if (where[k] < 0)
            continue;
        found[k] = true;
        if (!updates[k].isNull())
            lines[where[k]].first = kKeys[k].name + QLatin1Char('=') + updates[k];
    }
    // Keys the diskette lacks come after the section header, in their usual order, each ended as
    // the line before them is: a lone CR before an empty LF line would join the two into one break.
    qsizetype insertAt = header + 1;
    const qsizetype model = insertAt > 0 ? insertAt - 1 : 0;
    const QByteArray lineEnd =
        model >= lines.size() || lines[model].second.isEmpty() ? QByteArray("\r\n") : lines[model].second;
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
    if (fields.updateName) {
        if (const QString problem = fieldProblem(fields.name.trimmed(), QStringLiteral("The client name"));
            !problem.isEmpty())
            throw FieldError(problem);
    }
    const QString drive = QString(fields.drive.toUpper()) + QLatin1Char(':');
    const QString file = drive + QStringLiteral("\\WATTCP.CFG");
    for (int diskette = 1;; ++diskette) {
        // Shown as the diskette carries it: without the blanks the field keeps for digits not typed.
        const QString address = StrTran(fields.address, QStringLiteral(" "), QString());
        const QString name = fields.name.trimmed();
        std::optional<Given> host;
        if (given) {
            host = given(diskette);
            if (!host) {
                const QString done = QStringLiteral("Every host of the host list has its diskette.");
                inform(diskette == 1 ? done
                                     : QStringLiteral("Update Successful.\rDisk IP Address is: %1\r"
                                                      "Disk Client Name is: %2\r\r%3")
                                           .arg(address, name, done));
                return End::HostsDone;
            }
        }
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

        if (host) {
            fields.address = host->address;
            fields.name = host->name;
            fields.updateMask = !host->mask.isEmpty();
            fields.mask = host->mask;
        } else if (diskette > 1) {
            // Both fields advance, whether or not they are written.
            QString mask = QStringLiteral("255.  0.  0.  0");
            AddressRoutines::blankFill(fields.address, mask);
            if (const auto next = AddressRoutines::incrementLastOctet(fields.address))
                fields.address = *next;
            fields.name = AddressRoutines::AutoClientInc(fields.name, AddressPages::MulticastClient);
        }
        if (diskettePlaced && !diskettePlaced(diskette))
            return End::Stopped;

        const DisketteCheck check = m_fs.checkDiskette(file);
        if (!check.refusal.isEmpty())
            throw IoError(check.refusal);
        if (!check.unwritable.isEmpty())
            throw IoError(check.unwritable, IoError::Problem::WriteProtected);
        if (!check.warning.isEmpty())
            m_dialogs.message(check.warning, Dialogs::Icon::Warning, Dialogs::Buttons::Ok, 0);
        // From the read to the write, nobody else updates this diskette.
        const FileLock lock = m_fs.lockForUpdate(file);
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
