#include "writers/diskette_plan.h"

#include "platform/dos_fs.h"
#include "platform/volume.h"

#include <QHash>
#include <QMap>

QString Fit::refusal(const QString& diskRoot) const {
    if (need > free)
        return QStringLiteral(
                   "The files for this diskette do not fit on it: they need %1 bytes, the diskette "
                   "in %2 has %3 bytes free; the largest is %4 (%5 bytes).  Creation can not proceed.")
            .arg(need)
            .arg(diskRoot)
            .arg(free)
            .arg(largest)
            .arg(largestSize);
    return QStringLiteral("The files for this diskette do not fit on it: they need %1 entries in its root "
                          "folder, the diskette in %2 has %3 free.  Creation can not proceed.")
        .arg(entriesNeed)
        .arg(diskRoot)
        .arg(entriesFree);
}

namespace DiskettePlan {

Fit measure(DosFs& fs, const QString& diskRoot, const QList<PlannedFile>& files) {
    const VolumeSpace space = fs.space(diskRoot + QLatin1Char('\\'));
    const qint64 unit = qMax<qint64>(space.unit, 1);
    const auto units = [unit](qint64 bytes) {
        return (bytes + unit - 1) / unit * unit;
    };
    const QString root = diskRoot.toUpper() + QLatin1Char('\\');
    // The folder a path goes into, below the root; empty for the root itself.
    const auto folderOf = [&root](const QString& upperPath) {
        const QString below = upperPath.startsWith(root) ? upperPath.mid(root.size()) : upperPath;
        return below.section(QLatin1Char('\\'), 0, -2);
    };

    QStringList order;
    QHash<QString, PlannedFile> last;
    for (const PlannedFile& file : files) {
        const QString key = file.path.toUpper();
        if (!last.contains(key))
            order.append(key);
        last.insert(key, file);
    }

    Fit fit;
    fit.entriesFree = space.freeRootEntries;
    qint64 replaced = 0;
    QMap<QString, int> newFolders; // folder made by the build -> files put into it
    for (const QString& key : order) {
        const PlannedFile& file = last[key];
        const bool inRoot = folderOf(key).isEmpty();
        if (file.directory) {
            if (!fs.directoryExists(file.path)) {
                fit.need += unit;
                fit.entriesNeed += inRoot ? 1 : 0;
                newFolders.insert(key.mid(root.size()), 0);
            }
            continue;
        }
        if (file.missing())
            continue;
        ++fit.files;
        fit.need += units(file.size);
        if (file.size > fit.largestSize) {
            fit.largest = file.path;
            fit.largestSize = file.size;
        }
        const qint64 existing = fs.fileSize(file.path);
        if (existing >= 0)
            replaced += units(existing);
        else if (inRoot)
            ++fit.entriesNeed;
        else if (newFolders.contains(folderOf(key)))
            ++newFolders[folderOf(key)];
    }
    // On a FAT diskette a new folder takes one more unit for each unit/32 entries, its own "." and
    // ".." among them.
    if (space.freeRootEntries >= 0) {
        const qint64 perUnit = qMax<qint64>(unit / 32, 1);
        for (int entries : newFolders)
            fit.need += ((2 + entries + perUnit - 1) / perUnit - 1) * unit;
    }
    fit.free = space.freeBytes + replaced;
    return fit;
}

} // namespace DiskettePlan
