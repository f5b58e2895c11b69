// The new files of a build go into its working copy one directory at a time: one mcopy each instead
// of one per file. A failed batch is put in again file by file, so that the error names its file.
#include "platform/image_volume.h"

#include <QDir>
#include <QFile>

bool ImageVolume::queue(const QString& hostFile, qint64 takes, qint64 size, const Space& space,
                        const VolumePath& path) {
    const QString name = space.target.section(u'/', -1);
    // The name becomes a host file's: only names no shell or mtools option could read otherwise.
    if (!m_work || !ImageScratch::plainPath(name) || name.startsWith(u'.') || name.startsWith(u'-'))
        return false;
    const QString dir = space.target.left(space.target.size() - name.size());
    if (m_queued.isEmpty() || m_queued.last().dir != dir) {
        m_stagingDir = m_scratch.newPath();
        if (!QDir().mkdir(m_stagingDir))
            return false;
    }
    const QString staged = m_stagingDir + u'/' + name;
    if (QFileInfo::exists(staged) || !QFile::rename(hostFile, staged))
        return false;
    m_queued.append({staged, dir, space.target, path, size});
    m_queuedBytes += takes;
    if (dir == u"::/")
        ++m_queuedRootEntries;
    return true;
}

void ImageVolume::flushQueued() {
    const QList<Queued> queued = std::exchange(m_queued, {});
    m_queuedBytes = 0;
    m_queuedRootEntries = 0;
    const auto removeStaged = [&queued](qsizetype from) {
        for (qsizetype i = from; i < queued.size(); ++i)
            QFile::remove(queued[i].staged);
    };
    for (qsizetype from = 0; from < queued.size();) {
        qsizetype to = from;
        QStringList args{QStringLiteral("-D"), QStringLiteral("o"), QStringLiteral("-m")};
        for (; to < queued.size() && queued[to].dir == queued[from].dir; ++to)
            args << queued[to].staged;
        args << queued[from].dir;
        if (runTool(QStringLiteral("mcopy"), args).exitCode != 0) {
            m_listings.forget();
            for (qsizetype i = from; i < to; ++i) {
                const Mtools::Result alone = runTool(
                    QStringLiteral("mcopy"), {QStringLiteral("-D"), QStringLiteral("o"), QStringLiteral("-m"),
                                              queued[i].staged, queued[i].target});
                if (alone.exitCode != 0) {
                    removeStaged(from);
                    fail(QStringLiteral("write"), queued[i].path, alone);
                }
            }
        }
        for (qsizetype i = from; i < to; ++i) {
            // What the listings hold already; this only marks the image's change as our own.
            QStringList dirParts = queued[i].target.mid(3).split(u'/');
            const QString name = dirParts.takeLast();
            m_listings.stored(dirParts, name, queued[i].size);
            QFile::remove(queued[i].staged);
        }
        from = to;
    }
}

void ImageVolume::dropQueued() {
    m_madeDirs.clear();
    for (const Queued& file : std::as_const(m_queued))
        QFile::remove(file.staged);
    m_queued.clear();
    m_queuedBytes = 0;
    m_queuedRootEntries = 0;
}

bool ImageVolume::directoryMayGrow(const QStringList& dirParts, const QString& name,
                                   const Mtools::Listing& listing, const FatFree& fat) {
    if (dirParts.isEmpty() || listing.find(name))
        return false; // the root directory has its fixed entries; a replaced file keeps its own
    // With "." and "..": a directory whose clusters are full takes one more for the next entry.
    const qint64 perCluster = qMax<qint64>(1, fat.clusterBytes / 32);
    return (listing.entries.size() + 2) % perCluster == 0;
}
