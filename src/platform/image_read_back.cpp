// Reading a diskette image back after a build, and the file-system check of dosfstools.
#include "platform/dos_path.h"
#include "platform/image_volume.h"
#include "platform/replacement_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>

namespace {

// dosfstools' checker, also where a user's PATH leaves out the sbin directories.
QString fsckProgram() {
    QString found = QStandardPaths::findExecutable(QStringLiteral("fsck.fat"));
    if (found.isEmpty())
        found = QStandardPaths::findExecutable(QStringLiteral("fsck.fat"),
                                               {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    return found;
}

} // namespace

QList<ReadBack> ImageVolume::readBack(const QList<VolumePath>& paths) {
    flushQueued();
    saveEditor();
    // A build's read-back is followed by the check of the file system: fsck.fat reads the working
    // copy meanwhile (a write in between stops it), and so does the flush the commit needs.
    if (m_work && m_workMade) {
        startCheck();
        m_work->startFlush();
    }
    QList<ReadBack> out(paths.size());
    QList<qsizetype> pending;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (!imageExists() || paths[i].parts.isEmpty() || hasWildcard(paths[i].parts))
            out[i].error = QStringLiteral("Cannot read %1: no such file").arg(where(paths[i]));
        else
            pending.append(i);
    }
    readBackInMemory(paths, out, pending);
    // mcopy puts the files side by side under their own names: one pass for each set of distinct names.
    while (!pending.isEmpty()) {
        QList<qsizetype> pass;
        QList<qsizetype> later;
        QSet<QString> names;
        for (qsizetype i : pending) {
            const QString name = DosPath::normalizeName(paths[i].parts.last()).toUpper();
            (names.contains(name) ? later : pass).append(i);
            names.insert(name);
        }
        const QString dir = m_scratch.newPath();
        QStringList args{QStringLiteral("-n")};
        for (qsizetype i : pass)
            args << dosPath(paths[i].parts);
        args << dir + u'/';
        Mtools::Result result;
        QString failure;
        if (!QDir().mkpath(dir)) {
            failure = QStringLiteral("the scratch directory %1 cannot be made").arg(dir);
        } else {
            result = tool(QStringLiteral("mcopy"), args);
            failure = result.errorText;
        }
        const QStringList copied = QDir(dir).entryList(QDir::Files);
        for (qsizetype i : pass) {
            const QString name = DosPath::normalizeName(paths[i].parts.last());
            const auto match = std::find_if(copied.begin(), copied.end(), [&](const QString& file) {
                return file.compare(name, Qt::CaseInsensitive) == 0;
            });
            QFile file(match == copied.end() ? QString() : dir + u'/' + *match);
            if (match != copied.end() && file.open(QIODevice::ReadOnly)) {
                out[i].data = file.readAll();
                out[i].ok = true;
            } else {
                out[i].error = QStringLiteral("Cannot read %1: %2")
                                   .arg(where(paths[i]), failure.isEmpty() ? QStringLiteral("no such file")
                                                                           : failure.replace(u'\n', "; "));
            }
        }
        QDir(dir).removeRecursively();
        pending = later;
    }
    return out;
}

void ImageVolume::startCheck() {
    dropCheck();
    if (m_device || !imageExists())
        return;
    const QString fsck = fsckProgram();
    if (fsck.isEmpty())
        return;
    m_check = std::make_unique<QProcess>();
    m_check->setProcessChannelMode(QProcess::MergedChannels);
    m_check->setStandardInputFile(QProcess::nullDevice());
    m_check->start(fsck, {QStringLiteral("-n"), QFileInfo(file()).absoluteFilePath()});
}

void ImageVolume::dropCheck() {
    if (!m_check)
        return;
    if (m_check->state() != QProcess::NotRunning) {
        m_check->kill();
        m_check->waitForFinished();
    }
    m_check.reset();
}

QString ImageVolume::checkFileSystem() {
    flushQueued();
    saveEditor(); // a change stops a check started before it
    if (!m_check)
        startCheck();
    if (!m_check)
        return {};
    const std::unique_ptr<QProcess> process = std::move(m_check);
    // It may have ended already, and been seen to end while events were handled.
    if (process->state() != QProcess::NotRunning && !process->waitForFinished(120000)) {
        process->kill();
        process->waitForFinished();
        return {};
    }
    if (process->exitStatus() != QProcess::NormalExit || process->exitCode() != 1)
        return {};
    // The first lines name the damage; the rest repeats it for each file.
    QStringList report = QString::fromLocal8Bit(process->readAll()).split(u'\n', Qt::SkipEmptyParts);
    report.removeIf([](const QString& line) { return line.startsWith(QLatin1String("fsck.fat ")); });
    return QStringLiteral("fsck.fat -n found errors in the image %1: %2")
        .arg(m_image, report.mid(0, 4).join(QLatin1String("; ")));
}
