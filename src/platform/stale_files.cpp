#include "platform/stale_files.h"

#include "platform/drive_table.h"
#include "platform/image_scratch.h"
#include "platform/replacement_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <stdexcept>

namespace {

// Earlier versions named their temporary files without a process id (".PCBW.INI.tmpXXXX",
// "A.img.bw-new"); no write takes ten minutes, so one that old was left by a killed run.
void removeOldUnnamed(const QString& dir, const QStringList& patterns) {
    const QDateTime tenMinutesAgo = QDateTime::currentDateTimeUtc().addSecs(-600);
    const QFileInfoList entries =
        QDir(dir).entryInfoList(patterns, QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QFileInfo& entry : entries) {
        if (entry.lastModified().toUTC() < tenMinutesAgo)
            QFile::remove(entry.absoluteFilePath());
    }
}

} // namespace

namespace StaleFiles {

void sweep(const QString& programDir) {
    const QString home = QDir(programDir).absolutePath();
    QSet<QString> dirs{home};
    QStringList images;
    try {
        const DriveTable drives = DriveTable::load(programDir);
        const auto mappings = drives.mappings();
        for (auto it = mappings.cbegin(); it != mappings.cend(); ++it) {
            if (drives.kind(it.key()) == DriveTable::Kind::Image) {
                dirs.insert(QFileInfo(it.value()).absolutePath());
                images << it.value();
            }
        }
    } catch (const std::exception&) {
        // An unreadable PCBW.INI is reported where it is needed; clearing up goes on without it.
    }
    for (const QString& dir : std::as_const(dirs))
        ReplacementFile::removeStale(dir);
    removeOldUnnamed(home, {QStringLiteral(".PCBW.INI.tmp*"), QStringLiteral(".PCBWSAVE.INI.tmp*")});
    for (const QString& image : std::as_const(images)) {
        const QFileInfo info(image);
        // The file name goes in as a pattern: wildcard characters in it would match other files.
        if (!info.fileName().contains(QLatin1Char('*')) && !info.fileName().contains(QLatin1Char('?')) &&
            !info.fileName().contains(QLatin1Char('[')))
            removeOldUnnamed(info.absolutePath(), {info.fileName() + QStringLiteral(".bw-new")});
    }
    ImageScratch::removeStale(ImageScratch::root());
}

} // namespace StaleFiles
