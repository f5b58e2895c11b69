#include "platform/mtools.h"

#include "platform/dos_path.h"
#include "platform/io_error.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <atomic>
#include <unistd.h>

namespace Mtools {

namespace {

constexpr int kTimeoutMs = 120000;
std::atomic<quint64> g_processes{0};

QProcessEnvironment toolEnvironment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // No check of the boot sector against the drive geometry (images of any origin are accepted),
    // no long-name entries for names DOS can hold, and times that do not depend on the user.
    env.insert(QStringLiteral("MTOOLS_SKIP_CHECK"), QStringLiteral("1"));
    env.insert(QStringLiteral("MTOOLS_NO_VFAT"), QStringLiteral("1"));
    env.insert(QStringLiteral("MTOOLS_TWENTY_FOUR_HOUR_CLOCK"), QStringLiteral("1"));
    env.insert(QStringLiteral("MTOOLS_LOWER_CASE"), QStringLiteral("0"));
    return env;
}

QString notInstalled(const QString& tool, const QString& image) {
    return QStringLiteral("mtools is not installed; install the Debian package mtools "
                          "(sudo apt-get install mtools) to use the diskette %1 (%2 could not be run)")
        .arg(image, tool);
}

// mtools reports a failed write of the diskette (a read-only device, an I/O error) on stderr and
// may still exit 0; its warning that a device has no geometry to tell is no failure.
bool reportsIoFailure(const QString& errorText) {
    static const QRegularExpression failure(
        QStringLiteral("^(plain_io|buffer_flush|fs_flush)\\b|Input/output error|Operation not permitted|"
                       "Read-only file system|No space left on device|[Ss]hort write"),
        QRegularExpression::MultilineOption);
    return failure.match(errorText).hasMatch();
}

} // namespace

Result run(const QString& tool, const QStringList& args, const QString& image) {
    QProcess process;
    process.setProcessEnvironment(toolEnvironment());
    process.setStandardInputFile(QProcess::nullDevice());
    process.setChildProcessModifier([] { ::setsid(); });
    process.start(tool, args);
    ++g_processes;
    if (!process.waitForStarted(kTimeoutMs)) {
        if (process.error() == QProcess::FailedToStart)
            throw IoError(notInstalled(tool, image));
        throw IoError(QStringLiteral("%1 did not start on the diskette %2: %3")
                          .arg(tool, image, process.errorString()));
    }
    if (!process.waitForFinished(kTimeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        throw IoError(QStringLiteral("%1 did not finish on the diskette %2").arg(tool, image));
    }
    Result result;
    result.output = process.readAllStandardOutput();
    result.errorText = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    if (process.exitStatus() != QProcess::NormalExit)
        throw IoError(QStringLiteral("%1 failed on the diskette %2: it stopped abnormally").arg(tool, image));
    result.exitCode = process.exitCode();
    if (result.exitCode == 0 && reportsIoFailure(result.errorText))
        result.exitCode = kIoFailureExit;
    return result;
}

quint64 processCount() {
    return g_processes;
}

bool Entry::matches(const QString& name) const {
    const QString wanted = DosPath::normalizeName(name);
    return shortName.compare(wanted, Qt::CaseInsensitive) == 0 ||
           (!longName.isEmpty() && longName.compare(wanted, Qt::CaseInsensitive) == 0);
}

const Entry* Listing::find(const QString& name) const {
    for (const Entry& entry : entries) {
        if (entry.matches(name))
            return &entry;
    }
    return nullptr;
}

// mdir prints each entry as the 8-character base name, a blank, the 3-character extension, then
// the size or "<DIR>", the date, the time and, when there is one, the long name after two blanks.
// The lines before "Directory for" are the volume header; the summary lines start with blanks,
// which no short name can.
Listing parseListing(const QByteArray& mdirOutput) {
    static const QRegularExpression entryLine(
        QStringLiteral("^(.{8}) (.{3}) +(<DIR>|\\d+) +\\S+ +\\S+(.*)$"));
    Listing listing;
    const QStringList lines = QString::fromLocal8Bit(mdirOutput).split(u'\n');
    bool inEntries = false;
    for (const QString& rawLine : lines) {
        const QString line = rawLine.endsWith(u'\r') ? rawLine.chopped(1) : rawLine;
        if (line.startsWith(QLatin1String("Directory for "))) {
            inEntries = true;
            continue;
        }
        if (line.endsWith(QLatin1String("bytes free"))) {
            QString digits;
            for (QChar c : line)
                if (c.isDigit())
                    digits += c;
            listing.freeBytes = digits.toLongLong();
            continue;
        }
        if (!inEntries || line.isEmpty() || line[0].isSpace())
            continue;
        const QRegularExpressionMatch m = entryLine.match(line);
        if (!m.hasMatch())
            continue;
        const QString base = m.captured(1).trimmed();
        const QString ext = m.captured(2).trimmed();
        if (base == u"." || base == u"..")
            continue;
        Entry entry;
        entry.shortName = ext.isEmpty() ? base : base + u'.' + ext;
        entry.directory = m.captured(3) == u"<DIR>";
        if (!entry.directory)
            entry.size = m.captured(3).toLongLong();
        entry.longName = m.captured(4).trimmed();
        listing.entries.append(entry);
    }
    return listing;
}

} // namespace Mtools
