#include "platform/stale_files.h"

#include "platform/drive_table.h"
#include "platform/image_volume.h"
#include "platform/replacement_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <stdexcept>

namespace StaleFiles {

void sweep(const QString& programDir) {
    QSet<QString> dirs{QDir(programDir).absolutePath()};
    try {
        const DriveTable drives = DriveTable::load(programDir);
        const auto mappings = drives.mappings();
        for (auto it = mappings.cbegin(); it != mappings.cend(); ++it) {
            if (drives.kind(it.key()) == DriveTable::Kind::Image)
                dirs.insert(QFileInfo(it.value()).absolutePath());
        }
    } catch (const std::exception&) {
        // An unreadable PCBW.INI is reported where it is needed; clearing up goes on without it.
    }
    for (const QString& dir : std::as_const(dirs))
        ReplacementFile::removeStale(dir);
    ImageVolume::removeStaleScratch(QDir::tempPath());
}

} // namespace StaleFiles
