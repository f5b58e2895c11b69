#include "cli/cli_drives.h"

#include "cli/cli.h"
#include "platform/drive_table.h"
#include "platform/floppy_drives.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <unistd.h>

namespace {

bool writableNow(const QString& path) {
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

struct Row {
    const char* kind;
    bool exists = false;
    bool writable = false;
    QString note;
};

Row resolve(const DriveTable& table, QChar letter) {
    const QString path = table.hostPath(letter);
    const QFileInfo info(path);
    // The note in the wizard's own words, so that both say the same of the same drive.
    const QString note = table.note(letter);
    switch (table.kind(letter)) {
    case DriveTable::Kind::None:
        return {"none", false, false, note};
    case DriveTable::Kind::Directory:
        return {"folder", info.isDir(), info.isDir() && writableNow(path), note};
    case DriveTable::Kind::Image:
        if (info.exists())
            return {"image", true, writableNow(path), note};
        // A missing image is made when first written, so what counts is its folder.
        return {"image", false, info.dir().exists() && writableNow(info.absolutePath()), note};
    case DriveTable::Kind::Device:
        return {"device", info.exists(), info.exists() && note.isEmpty() && writableNow(path), note};
    }
    return {"none", false, false, {}};
}

const char* yesNo(bool b) {
    return b ? "yes" : "no";
}

QByteArray field(const QString& text) {
    return text.isEmpty() ? QByteArray("-") : text.toLocal8Bit();
}

} // namespace

namespace CliDrives {

int run(const QString& programDir, const QList<QPair<QChar, QString>>& drives) {
    DriveTable table = DriveTable::load(programDir);
    for (const auto& [letter, path] : drives)
        table.map(letter, path);
    QList<QChar> letters{QLatin1Char('A'), QLatin1Char('B')};
    for (const QChar letter : table.mappings().keys())
        if (!letters.contains(letter))
            letters << letter;

    std::printf("drive\tkind\tpath\texists\twritable\tnote\n");
    for (const QChar letter : letters) {
        const Row row = resolve(table, letter);
        std::printf("%c:\t%s\t%s\t%s\t%s\t%s\n", char(letter.unicode()), row.kind,
                    field(table.hostPath(letter)).constData(), yesNo(row.exists), yesNo(row.writable),
                    field(row.note).constData());
    }

    const QList<FloppyDrive> floppies = FloppyDrives::list();
    if (floppies.isEmpty()) {
        std::printf("\nno floppy drive on this machine (no /dev/fd*, no removable 1.44 MB block device)\n");
    } else {
        std::printf("\nfloppy drive\tsize\tmodel\tmounted on\n");
        for (const FloppyDrive& drive : floppies)
            std::printf("%s\t%s\t%s\t%s\n", field(drive.device).constData(),
                        drive.size < 0 ? "-" : QByteArray::number(drive.size).constData(),
                        field(drive.model).constData(), field(drive.mountPoint).constData());
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fputs("bootwright-cli: the list of drives could not be written in full\n", stderr);
        return Cli::IoFailure;
    }
    return Cli::Done;
}

} // namespace CliDrives
