#include "writers/pxe_entries.h"

#include "platform/file_lock.h"
#include "platform/io_error.h"
#include "platform/replacement_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QPair>
#include <QRegularExpression>

namespace {

const QByteArray kMarker = "# Diskette images by MAC address, written by bootwright-cli: one line per host.";

const QRegularExpression& entryLine() {
    static const QRegularExpression line(QStringLiteral(
        "\\Aiseq \\$\\{netX/mac\\} ([0-9a-f]{2}(?::[0-9a-f]{2}){5}) && set bwimage (\\S+) \\|\\|\\z"));
    return line;
}

QString colons(const QString& macKey) {
    return QString(macKey).replace(QLatin1Char('-'), QLatin1Char(':'));
}

// The path with its folder's links resolved, so that a DIR reached through a link still contains
// the images under it; the file itself need not exist yet.
QString resolved(const QString& path) {
    const QFileInfo info(path);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? info.absoluteFilePath() : folder + QLatin1Char('/') + info.fileName();
}

QString scriptPath(const QString& dir) {
    return QDir(dir).filePath(PxeEntries::ScriptName);
}

} // namespace

namespace PxeEntries {

QString entryName(const QString& macKey) {
    return QStringLiteral("01-") + macKey;
}

QString imageReference(const QString& dir, const QString& image) {
    const QString base = QFileInfo(dir).canonicalFilePath();
    QString file = resolved(image);
    if (!base.isEmpty()) {
        QString relative = QDir(base).relativeFilePath(file);
        if (!relative.startsWith(QLatin1String("../")) && !QDir::isAbsolutePath(relative))
            return relative;
    }
    return file;
}

QString pxelinuxPath(const QString& imageRef) {
    return QDir::isAbsolutePath(imageRef) ? QStringLiteral("::") + imageRef : imageRef;
}

QString ipxePath(const QString& imageRef) {
    return QString::fromLatin1(imageRef.toUtf8().toPercentEncoding("/"));
}

QString pxelinuxProblem(const QString& imageRef) {
    static const QRegularExpression blank(QStringLiteral("\\s"));
    if (imageRef.contains(blank))
        return QStringLiteral("has a blank in its path, which a PXELINUX entry cannot name");
    if (imageRef.contains(QLatin1Char(',')))
        return QStringLiteral("has a comma in its path, where PXELINUX would take it for two images");
    if (QDir::isAbsolutePath(imageRef))
        return {};
    const qsizetype colon = imageRef.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return {};
    const QStringView afterColon = QStringView(imageRef).mid(colon + 1);
    if (afterColon.startsWith(QLatin1Char(':')))
        return QStringLiteral("has \"::\" in its path, where PXELINUX would take what stands before it "
                              "for a server");
    if (afterColon.startsWith(QLatin1String("//")))
        return QStringLiteral("has \"://\" in its path, where PXELINUX would take it for a URL");
    return {};
}

QByteArray entry(const QString& name, const QString& address, const QString& imageRef) {
    return QStringLiteral("# %1 %2, written by bootwright-cli\n"
                          "DEFAULT bootwright\n"
                          "LABEL bootwright\n"
                          "KERNEL memdisk\n"
                          "INITRD %3\n"
                          "APPEND floppy\n")
        .arg(name, address, pxelinuxPath(imageRef))
        .toUtf8();
}

QByteArray script(const QByteArray& old, const QString& macKey, const QString& imageRef) {
    QList<QPair<QString, QString>> entries; // MAC with colons, image
    for (const QByteArray& line : old.split('\n')) {
        const QRegularExpressionMatch m = entryLine().match(QString::fromUtf8(line).trimmed());
        if (m.hasMatch())
            entries.append({m.captured(1), m.captured(2)});
    }
    const QString mac = colons(macKey);
    const QString uri = ipxePath(imageRef);
    bool replaced = false;
    for (auto& e : entries) {
        if (e.first == mac) {
            e.second = uri;
            replaced = true;
        }
    }
    if (!replaced)
        entries.append({mac, uri});

    QByteArray out = "#!ipxe\n" + kMarker + "\n";
    for (const auto& e : std::as_const(entries))
        out += QStringLiteral("iseq ${netX/mac} %1 && set bwimage %2 ||\n").arg(e.first, e.second).toUtf8();
    out += "isset ${bwimage} || goto bwunknown\n"
           "kernel memdisk floppy\n"
           "initrd ${bwimage}\n"
           "boot\n"
           ":bwunknown\n"
           "echo No diskette image for ${netX/mac}\n"
           "exit 1\n";
    return out;
}

QString folderProblem(const QString& dir) {
    // Links under DIR are refused, not followed: whoever may write to a TFTP folder could
    // otherwise have the entries written into a folder or a file of their choosing.
    const QString entries = QDir(dir).filePath(EntriesFolder);
    const QFileInfo folder(entries);
    if (folder.isSymLink())
        return QStringLiteral("%1 is a symbolic link; the entries are written into a folder of that "
                              "name only (move the link away)")
            .arg(entries);
    if (folder.exists() && !folder.isDir())
        return QStringLiteral("%1 is not a folder; the entries are written into a folder of that name "
                              "(move it away)")
            .arg(entries);
    const QString path = scriptPath(dir);
    const QFileInfo script(path);
    if (script.isSymLink())
        return QStringLiteral("%1 is a symbolic link; the script is written only as a file of its own "
                              "(move the link away)")
            .arg(path);
    if (!script.exists())
        return {};
    if (!script.isFile())
        return QStringLiteral("%1 is not a regular file; it is left as it is (move it away)").arg(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString());
    const QList<QByteArray> lines = file.read(qint64{64} * 1024).split('\n');
    if (lines.size() < 2 || lines.at(1).trimmed() != kMarker)
        return QStringLiteral("%1 is not a script bootwright-cli wrote; it is left as it is (move it away to "
                              "have a new one written)")
            .arg(path);
    return {};
}

void write(const QString& dir, const QString& macKey, const QString& name, const QString& address,
           const QString& image) {
    const QString ref = imageReference(dir, image);
    const QString entries = QDir(dir).filePath(EntriesFolder);
    if (const QString problem = folderProblem(dir); !problem.isEmpty())
        throw IoError(problem);
    if (!QDir().mkpath(entries))
        throw IoError(QStringLiteral("Cannot make the folder %1").arg(entries));
    // A killed run's temporary files would otherwise stay in the TFTP folder for good.
    ReplacementFile::removeStale(entries);
    ReplacementFile::replace(QDir(entries).filePath(entryName(macKey)), entry(name, address, ref),
                             ReplacementFile::Links::Replace);

    const QString path = scriptPath(dir);
    // A lock file would be served with the entries: the folder itself is locked instead.
    const FileLock lock = FileLock::onFolder(dir, FileLock::Mode::Exclusive);
    if (const QString problem = folderProblem(dir); !problem.isEmpty())
        throw IoError(problem);
    QByteArray old;
    if (QFileInfo::exists(path)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw IoError(QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
        old = file.readAll();
        if (file.error() != QFileDevice::NoError)
            throw IoError(QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
    }
    ReplacementFile::replace(path, script(old, macKey, ref), ReplacementFile::Links::Replace);
}

} // namespace PxeEntries
