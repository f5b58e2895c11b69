#include "rules/next_diskette.h"

#include "platform/dialogs.h"
#include "platform/drive_table.h"

#include <QDir>
#include <QFileInfo>

namespace NextDiskette {

bool mustAsk(const DriveTable& drives, QChar letter) {
    const DriveTable::Kind kind = drives.kind(letter);
    return kind == DriveTable::Kind::Image || kind == DriveTable::Kind::Directory;
}

QString ask(Dialogs& dialogs, const DriveTable& drives, QChar letter, const QString& title,
            const QString& suffix) {
    const QFileInfo current(drives.hostPath(letter));
    QString chosen;
    if (drives.kind(letter) == DriveTable::Kind::Directory) {
        chosen = dialogs.directoryName(title, current.absolutePath());
    } else {
        chosen = dialogs.disketteFileName(title, current.absolutePath(),
                                          current.completeBaseName() + suffix + QStringLiteral(".img"));
        // A new name typed without an extension in an image dialog means an image, not a folder
        // that does not exist.
        if (!chosen.isEmpty() && !QFileInfo::exists(chosen) && QFileInfo(chosen).suffix().isEmpty())
            chosen += QStringLiteral(".img");
    }
    return chosen.isEmpty() ? QString() : QDir::cleanPath(chosen);
}

} // namespace NextDiskette
