#include "writers/build_run.h"

// Reading back what a run wrote: every file compared with what it should hold, then the file
// system checked as a whole.

#include "platform/dos_fs.h"
#include "platform/volume.h"

#include <QCryptographicHash>

void BuildRun::verifyDiskette() {
    QStringList paths;
    QList<WrittenFile> files;
    for (const WrittenFile& file : std::as_const(m_written)) {
        if (file.diskette != m_diskette)
            continue;
        // Written twice: the later one is what the diskette should hold.
        const qsizetype at = paths.indexOf(file.path.toUpper());
        if (at >= 0) {
            paths.removeAt(at);
            files.removeAt(at);
        }
        paths.append(file.path.toUpper());
        files.append(file);
    }
    if (paths.isEmpty())
        return;
    status(QStringLiteral(" Verifying diskette..."));

    const QList<ReadBack> read = m_fs.readBack(paths);
    QStringList bad;
    QString unreadable;
    for (qsizetype i = 0; i < files.size(); ++i) {
        const WrittenFile& file = files[i];
        const ReadBack& back = read.value(i);
        const bool same =
            back.ok &&
            (file.digest.isEmpty()
                 ? back.data == file.data
                 : back.data.size() == file.size &&
                       QCryptographicHash::hash(back.data, QCryptographicHash::Sha256) == file.digest);
        if (same)
            continue;
        bad << file.path;
        if (!back.ok && unreadable.isEmpty())
            unreadable = back.error;
    }
    QStringList reasons;
    if (!bad.isEmpty())
        reasons << (unreadable.isEmpty()
                        ? QStringLiteral("what the diskette holds differs from what was written to it")
                        : QStringLiteral("it could not be read back: ") + unreadable);
    const QString damage = m_fs.checkFileSystem(m_values.DiskRoot + QLatin1Char('\\'));
    if (!damage.isEmpty())
        reasons << damage;
    if (reasons.isEmpty())
        return;
    QStringList named;
    for (const QString& path : std::as_const(bad))
        named << path + QStringLiteral(" File write error! ");
    if (named.isEmpty())
        named << QStringLiteral("The diskette in %1 is damaged.").arg(m_values.DiskRoot);
    fail(bad.isEmpty() ? m_values.DiskRoot : bad.first(), named.join(QLatin1Char('\r')),
         reasons.join(QLatin1Char('\r')));
}
