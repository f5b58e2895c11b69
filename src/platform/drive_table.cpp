#include "platform/drive_table.h"

#include "platform/boot_sector.h"
#include "platform/dos_path.h"
#include "platform/fat_image.h"
#include "platform/floppy_drives.h"
#include "platform/io_error.h"
#include "platform/profile_file.h"

#include <QDir>
#include <QFileInfo>
#include <sys/stat.h>

namespace {

bool hasImageSuffix(const QString& path) {
    static const QStringList suffixes{QStringLiteral("img"), QStringLiteral("ima"), QStringLiteral("flp"),
                                      QStringLiteral("vfd"), QStringLiteral("dsk")};
    return suffixes.contains(QFileInfo(path).suffix(), Qt::CaseInsensitive);
}

bool isBlockDevice(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISBLK(st.st_mode);
}

// A drive letter as a key: "A" or "a", also "A:" as people write drives.
QChar driveLetter(const QString& key) {
    QString name = key.trimmed();
    if (name.endsWith(u':'))
        name.chop(1);
    if (name.size() != 1)
        return {};
    const QChar c = name[0].toUpper();
    return c >= u'A' && c <= u'Z' ? c : QChar();
}

} // namespace

DriveTable DriveTable::load(const QString& programDir) {
    const QDir dir(programDir);
    DriveTable table;
    table.map(u'A', dir.absoluteFilePath(QStringLiteral("A.img")));
    table.map(u'B', dir.absoluteFilePath(QStringLiteral("B.img")));

    // One look at the file; one that cannot be read is an error, not an empty table: the defaults
    // would send a build to A.img in place of the diskette the user configured.
    const ProfileDocument ini = ProfileFile(dir.filePath(QStringLiteral("PCBW.INI"))).snapshot();
    const QString section = QStringLiteral("DRIVES");
    for (const QString& key : ini.readSection(section)) {
        QString value = ini.readString(section, key).trimmed();
        if (value == u'~' || value.startsWith(QLatin1String("~/")))
            value = QDir::homePath() + value.mid(1);
        if (key.trimmed().compare(QLatin1String("Template"), Qt::CaseInsensitive) == 0) {
            table.setTemplateImage(value.isEmpty() ? QString() : dir.absoluteFilePath(value));
            continue;
        }
        const QChar letter = driveLetter(key);
        if (letter.isNull())
            continue;
        // An empty value takes the letter away, also from A: and B:.
        table.map(letter, value.isEmpty() ? QString() : dir.absoluteFilePath(value));
    }
    return table;
}

void DriveTable::map(QChar letter, const QString& hostPath) {
    const QChar key = letter.toUpper();
    if (hostPath.isEmpty())
        m_paths.remove(key);
    else
        m_paths.insert(key, QDir::cleanPath(QFileInfo(hostPath).absoluteFilePath()));
}

QString DriveTable::hostPath(QChar letter) const {
    return m_paths.value(letter.toUpper());
}

DriveTable::Kind DriveTable::kind(QChar letter) const {
    const QString path = hostPath(letter);
    if (path.isEmpty())
        return Kind::None;
    const QFileInfo info(path);
    if (info.isDir())
        return Kind::Directory;
    if (isBlockDevice(path) || (!info.exists() && path.startsWith(QLatin1String("/dev/"))))
        return Kind::Device;
    // An existing file is taken for an image whatever its name; a path that does not exist yet is
    // an image to be made when its name says so, and otherwise a directory that is missing.
    if (info.exists() || hasImageSuffix(path))
        return Kind::Image;
    return Kind::Directory;
}

QString DriveTable::note(QChar letter) const {
    const QChar drive = letter.toUpper();
    const QString path = hostPath(drive);
    const QFileInfo info(path);
    switch (kind(drive)) {
    case Kind::None:
        return QStringLiteral("not mapped");
    case Kind::Directory:
        if (!info.exists())
            return QStringLiteral("does not exist: make it, or choose another");
        return info.isWritable() ? QString() : QStringLiteral("cannot be written to");
    case Kind::Image:
        if (info.exists()) {
            // The build would stop at it: better said before than after the first diskette.
            QFile file(path);
            if (info.isFile() && file.open(QIODevice::ReadOnly)) {
                if (const QString why = BootSector::read(file.read(BootSector::kBytes)).problem;
                    !why.isEmpty())
                    return QStringLiteral("no diskette image: %1").arg(why);
            }
            return info.isWritable() ? QString() : QStringLiteral("cannot be written to");
        }
        if (!QFileInfo(info.absolutePath()).isDir())
            return QStringLiteral("its folder %1 does not exist").arg(info.absolutePath());
        if (!QFileInfo(info.absolutePath()).isWritable())
            return QStringLiteral("cannot be made: its folder %1 cannot be written to")
                .arg(info.absolutePath());
        return m_template.isEmpty() ? QStringLiteral("made blank when first written")
                                    : QStringLiteral("made from the template when first written");
    case Kind::Device:
        if (!info.exists())
            return QStringLiteral("no such device");
        return FloppyDrives::writeRefusal(path);
    }
    return {};
}

QString DriveTable::describe(QChar letter) const {
    const QChar drive = letter.toUpper();
    const QString path = hostPath(drive);
    const QString why = note(drive);
    QString what;
    switch (kind(drive)) {
    case Kind::None:
        return QStringLiteral("%1: is %2").arg(drive).arg(why);
    case Kind::Directory:
        what = QStringLiteral("the folder");
        break;
    case Kind::Image:
        what = why.startsWith(QLatin1String("no diskette image")) ? QStringLiteral("the file")
                                                                  : QStringLiteral("the image");
        break;
    case Kind::Device:
        what = QStringLiteral("the floppy device");
        break;
    }
    const QString text = QStringLiteral("%1: is %2 %3").arg(drive).arg(what, path);
    return why.isEmpty() ? text : QStringLiteral("%1 (%2)").arg(text, why);
}

QString DriveTable::hostFolder(const QString& path) const {
    const DosPath::Parsed parsed = DosPath::parse(path);
    QString root;
    if (parsed.hostAbsolute)
        root = QStringLiteral("/");
    else if (!parsed.drive.isNull() && kind(parsed.drive) == Kind::Directory)
        root = hostPath(parsed.drive);
    else
        return {};
    QStringList parts = parsed.parts;
    const bool namesFolder = path.endsWith(QLatin1Char('\\')) || path.endsWith(QLatin1Char('/'));
    if (!namesFolder && !parts.isEmpty())
        parts.removeLast();
    QString folder = QDir::cleanPath(root + QLatin1Char('/') + parts.join(QLatin1Char('/')));
    // A folder typed with other letter case, or not made yet: the nearest one that is there.
    while (!QFileInfo(folder).isDir() && folder != root && folder.contains(QLatin1Char('/')))
        folder = QFileInfo(folder).absolutePath();
    return QFileInfo(folder).isDir() ? folder : QString();
}

void DriveTable::save(const QString& programDir, QChar letter, const QString& hostPath) {
    ProfileFile ini(QDir(programDir).filePath(QStringLiteral("PCBW.INI")));
    try {
        ini.writeString(QStringLiteral("DRIVES"), QString(letter.toUpper()), hostPath);
    } catch (const IoError&) {
        throw;
    } catch (const std::exception& e) {
        throw IoError(QString::fromStdString(e.what()));
    }
}

void DriveTable::setTemplateImage(const QString& hostPath) {
    m_template = hostPath.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(hostPath).absoluteFilePath());
}

QString DriveTable::describeTemplate() const {
    if (m_template.isEmpty())
        return QStringLiteral("New diskette images are made blank: they hold no DOS system. Name an image of "
                              "a system diskette as Template in section DRIVES of PCBW.INI to have new "
                              "images made from it.");
    const QString problem = FatImage::templateProblem(m_template);
    if (!problem.isEmpty())
        return QStringLiteral(
                   "New diskette images are to be made from the template %1, which cannot be used: %2.")
            .arg(m_template, problem);
    return QStringLiteral("New diskette images are made from the template %1.").arg(m_template);
}
