#include "cli/first_diskette.h"

#include "platform/dos_fs.h"
#include "platform/drive_table.h"
#include "platform/file_lock.h"
#include "platform/image_scratch.h"
#include "platform/image_volume.h"
#include "platform/io_error.h"

#include <QFile>
#include <QFileInfo>
#include <unistd.h>

namespace {

QStringList plannedPaths(const QList<PlannedFile>& plan) {
    QStringList paths;
    for (const PlannedFile& file : plan)
        paths << QString::number(file.diskette) +
                     (file.directory ? QStringLiteral(">") : QStringLiteral(":")) + file.path.toUpper();
    return paths;
}

} // namespace

void FirstDiskette::prepare(BuildRun& run, DosFs& fs, QChar target, const DriveTable& drives) {
    const QString image = drives.hostPath(target);
    m_fresh = drives.kind(target) == DriveTable::Kind::Image && !QFileInfo::exists(image);
    m_planned.clear();
    if (!m_fresh)
        return;
    try {
        m_planned = plannedPaths(run.plan());
    } catch (const IoError&) {
        return; // the run itself reports it
    }
    // Only the same files in the same order give the same diskette, whatever they hold.
    if (m_image.isEmpty() || m_planned != m_keptPlan)
        return;
    fs.mount(target, std::make_unique<ImageVolume>(image, false, m_image));
    run.startFrom(m_keptFiles);
}

void FirstDiskette::built(const BuildRun& run, const DriveTable& drives, QChar target) {
    if (!m_image.isEmpty() || !m_fresh || m_planned.isEmpty())
        return;
    // Named as the volumes name their scratch, so that a start after a kill clears it away.
    auto dir = std::make_unique<QTemporaryDir>(ImageScratch::root() +
                                               QStringLiteral("/bootwright-%1-XXXXXX").arg(::getpid()));
    if (!dir->isValid())
        return;
    const QString image = drives.hostPath(target);
    const QString kept = dir->filePath(QStringLiteral("first.img"));
    try {
        // Copied as this run left it: another program's update waits until the copy is whole.
        const FileLock lock = FileLock::onFile(image, FileLock::Mode::Shared);
        if (!QFile::copy(image, kept))
            return;
    } catch (const IoError&) {
        return; // the later diskettes are built afresh
    }
    m_dir = std::move(dir);
    m_image = kept;
    m_keptPlan = m_planned;
    m_keptFiles = run.written();
}
