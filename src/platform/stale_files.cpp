#include "platform/stale_files.h"

#include "platform/drive_table.h"
#include "platform/host_listings.h"
#include "platform/image_scratch.h"
#include "platform/replacement_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <ctime>
#include <stdexcept>
#include <sys/stat.h>

namespace {

// Earlier versions named their temporary files without a process id (".PCBW.INI.tmpXXXX",
// "A.img.bw-new"); no write takes ten minutes, so one that old was left by a killed run. Each name
// is matched without regard to case, a trailing '*' standing for any rest. Listed straight from
// the directory: name filters compiled patterns, a tenth of a build's start.
void removeOldUnnamed(const QString& dir, const QStringList& names) {
    const time_t tenMinutesAgo = ::time(nullptr) - 600;
    const auto matches = [&names](const QString& fileName) {
        return std::any_of(names.cbegin(), names.cend(), [&fileName](const QString& name) {
            return name.endsWith(u'*') ? fileName.startsWith(name.chopped(1), Qt::CaseInsensitive)
                                       : fileName.compare(name, Qt::CaseInsensitive) == 0;
        });
    };
    for (const QString& fileName : HostDirectory::entries(dir)) {
        if (!matches(fileName))
            continue;
        // Files only: a link of that name is left alone, as is whatever it points to.
        const QString path = QDir(dir).filePath(fileName);
        struct stat st {};
        if (::lstat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISDIR(st.st_mode) &&
            !S_ISLNK(st.st_mode) && st.st_mtime < tenMinutesAgo)
            QFile::remove(path);
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
    // One listing of each directory: the images mostly sit beside the profile files.
    QHash<QString, QStringList> unnamed;
    unnamed[home] << QStringLiteral(".PCBW.INI.tmp*") << QStringLiteral(".PCBWSAVE.INI.tmp*");
    for (const QString& image : std::as_const(images)) {
        const QFileInfo info(image);
        // Left alone as before, when names were patterns: wildcard characters matched other files.
        if (!info.fileName().contains(QLatin1Char('*')) && !info.fileName().contains(QLatin1Char('?')) &&
            !info.fileName().contains(QLatin1Char('[')))
            unnamed[info.absolutePath()] << info.fileName() + QStringLiteral(".bw-new");
    }
    for (auto it = unnamed.cbegin(); it != unnamed.cend(); ++it)
        removeOldUnnamed(it.key(), it.value());
    ImageScratch::removeStale(ImageScratch::root());
}

} // namespace StaleFiles
