#include "platform/copy_file.h"
#include "platform/dos_fs.h"
#include "platform/dos_path.h"
#include "platform/dos_text.h"
#include "platform/io_error.h"
#include "settings/page_values.h"
#include "writers/build_run.h"

#include <utility>

// The steps the writers are made of: text files, copies and folders on the diskette, each failure
// reported with the file it concerns.

namespace {

const QString kConfigFailed = QStringLiteral("CONFIG.SYS could not be created.  Build can not continue.");

// Why a file could not be written, in the words of someone holding the diskette.
QString reasonOf(IoError::Problem problem, const QString& message) {
    switch (problem) {
    case IoError::Problem::NoSpace:
        return QStringLiteral("no space left on the diskette");
    case IoError::Problem::DirectoryFull:
        return QStringLiteral("no entry left in the diskette's root folder");
    case IoError::Problem::FolderInTheWay:
        return QStringLiteral("a folder of that name is in the way");
    case IoError::Problem::ReadOnlyFile:
        return QStringLiteral("a read-only file of that name is in the way");
    case IoError::Problem::WriteProtected:
        return QStringLiteral("the diskette is write-protected");
    case IoError::Problem::Other:
        break;
    }
    return message;
}
WrittenFile textFile(const QString& path, const QByteArray& data) {
    WrittenFile file;
    file.path = path;
    file.data = data;
    file.size = data.size();
    return file;
}

} // namespace

void BuildRun::fail(const QString& path, const QString& firstLine, const QString& reason, int helpContext) {
    inform(firstLine + QLatin1Char('\r') + reason, helpContext);
    setCancelled();
    if (m_failedFile.isEmpty())
        m_failedFile = path;
}

bool BuildRun::writeText(const QString& path, const QStringList& lines) {
    const QByteArray data = DosText::encode(lines);
    if (m_planning) {
        m_plan.append({path, QString(), data.size(), false, m_diskette});
        return true;
    }
    if (heldText(path, data)) {
        noteWritten(textFile(path, data));
        return true;
    }
    m_start.remove(path.toUpper());
    try {
        m_fs.writeFile(path, data);
    } catch (const IoError& e) {
        fail(path,
             e.problem() == IoError::Problem::NoSpace ? path + QStringLiteral(" File write error! ")
                                                      : path + QStringLiteral(" could not be created."),
             reasonOf(e.problem(), e.message()));
        return false;
    }
    noteWritten(textFile(path, data));
    return true;
}

bool BuildRun::sourceMissing(const QString& source, const QString& message) {
    if (m_planning || m_fs.fileExists(source))
        return false;
    inform(message);
    setCancelled();
    return true;
}

void BuildRun::makeDirectory(const QString& path) {
    if (m_planning) {
        m_plan.append({path, QString(), 0, true, m_diskette});
        return;
    }
    try {
        m_fs.makeDirectory(path);
    } catch (const IoError&) {
    }
}

bool BuildRun::copyStep(const QString& source, const QString& target, const QString& missingMessage) {
    if (m_planning) {
        planCopy(source, target);
        return true;
    }
    if (!m_fs.fileExists(source)) {
        inform(missingMessage.isEmpty()
                   ? QStringLiteral("The File ") + source +
                         QStringLiteral(" could not be found.  Creation can not proceed.")
                   : missingMessage);
        setCancelled();
        return false;
    }
    return copyExisting(source, target);
}

bool BuildRun::copyClient() {
    m_values.ClientFile = m_settings.text(PageValue::ClientProgram);
    const QString target = m_values.DiskRoot + QLatin1Char('\\') + DosPath::fileNamePart(m_values.ClientFile);
    if (m_planning) {
        planCopy(m_values.ClientFile, target);
        return true;
    }
    if (!m_fs.fileExists(m_values.ClientFile)) {
        inform(QStringLiteral("The Pellacore Client could not be found in the specified location.  "
                              "Creation can not proceed."));
        setCancelled();
        return false;
    }
    copyExisting(m_values.ClientFile, target);
    return true;
}

void BuildRun::planCopy(const QString& source, const QString& target) {
    m_plan.append({target, source, m_fs.fileSize(source), false, m_diskette});
}

bool BuildRun::copyExisting(const QString& source, const QString& target) {
    if (const WrittenFile* held = heldCopy(source, target)) {
        m_values.CopyResult = 0;
        WrittenFile file = *held;
        file.path = target;
        noteWritten(file);
        wait(200);
        return true;
    }
    m_start.remove(target.toUpper());
    CopyReport report;
    m_values.CopyResult = CopyMyFile(m_fs, source, target, &report);
    if (m_values.CopyResult > 0) {
        fail(target, target + QStringLiteral(" File write error! "),
             reasonOf(report.problem, report.message));
    } else if (m_values.CopyResult < 0) {
        fail(target, target + QStringLiteral(" could not be created."),
             report.sourceFailed ? QStringLiteral("its source could not be read: ") + report.message
                                 : reasonOf(report.problem, report.message));
    } else if (report.written) {
        noteWritten({target, m_diskette, report.data, report.digest, report.size, source, report.sourceTime,
                     report.sourceAttributes});
    }
    wait(200);
    return m_values.CopyResult == 0;
}

void BuildRun::fileStep(const QString& statusText, int percent, const QString& name,
                        const std::function<QStringList()>& lines, int waitMilliseconds) {
    if (m_cancelled)
        return;
    status(statusText);
    gauge(percent);
    writeText(m_values.DiskRoot + QLatin1Char('\\') + name, lines());
    wait(waitMilliseconds);
}

void BuildRun::configSysStep(int percent, const std::function<QStringList()>& lines) {
    if (m_cancelled)
        return;
    status(QStringLiteral(" Creating CONFIG.SYS..."));
    gauge(percent);
    writeConfigSys(lines());
    wait(2000);
}

void BuildRun::writeConfigSys(const QStringList& lines) {
    const QString path = m_values.DiskRoot + QStringLiteral("\\CONFIG.SYS");
    const QByteArray data = DosText::encode(lines);
    if (m_planning) {
        m_plan.append({path, QString(), data.size(), false, m_diskette});
        return;
    }
    if (!heldText(path, data)) {
        m_start.remove(path.toUpper());
        try {
            m_fs.writeFile(path, data);
        } catch (const IoError& e) {
            fail(path, kConfigFailed, reasonOf(e.problem(), e.message()), kDisketteHelpContext);
            return;
        }
    }
    noteWritten(textFile(path, data));
}

void BuildRun::startFrom(const QList<WrittenFile>& files) {
    m_start.clear();
    // Later writes of a path are what the diskette ended up holding.
    for (const WrittenFile& file : files)
        if (file.diskette == 1)
            m_start.insert(file.path.toUpper(), file);
}

void BuildRun::noteWritten(WrittenFile file) {
    file.diskette = m_diskette;
    m_written.append(std::move(file));
}

const WrittenFile* BuildRun::heldText(const QString& path, const QByteArray& data) const {
    if (m_diskette != 1)
        return nullptr;
    const auto it = m_start.constFind(path.toUpper());
    return it != m_start.cend() && it->source.isEmpty() && it->data == data ? &*it : nullptr;
}

// The source must be the one the first diskette was given, unchanged as far as its size, date and
// attributes tell: the copy step would otherwise write other bytes or another date.
const WrittenFile* BuildRun::heldCopy(const QString& source, const QString& target) {
    if (m_diskette != 1)
        return nullptr;
    const auto it = m_start.constFind(target.toUpper());
    if (it == m_start.cend() || it->source.isEmpty() || it->source != source)
        return nullptr;
    try {
        if (m_fs.fileSize(source) != it->size || m_fs.fileTime(source) != it->sourceTime ||
            m_fs.attributes(source) != it->sourceAttributes)
            return nullptr;
    } catch (const IoError&) {
        return nullptr; // the copy step itself says what is wrong with the source
    }
    return &*it;
}
