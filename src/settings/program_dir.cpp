#include "settings/program_dir.h"

#include "platform/profile_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QStringList kCatalogues{QStringLiteral("PCBWNICM.INI"), QStringLiteral("PCBWNICS.INI")};

// The copy goes to a temporary name first, so an interrupted seeding never leaves a half catalogue
// that a later start would take for a complete one.
void seed(const QString& dir, const QString& executableDir) {
    for (const QString& name : kCatalogues) {
        const QString target = dir + QLatin1Char('/') + name;
        if (QFileInfo::exists(target))
            continue;
        for (const QString& source : ProgramDir::catalogueSources(executableDir)) {
            const QString from = source + QLatin1Char('/') + name;
            if (!QFileInfo(from).isFile())
                continue;
            const QString temp = target + QStringLiteral(".part");
            QFile::remove(temp);
            if (!QFile::copy(from, temp))
                continue;
            // An installed catalogue is often read-only; the user's copy is theirs to edit.
            QFile::setPermissions(temp, QFile::permissions(temp) | QFile::ReadOwner | QFile::WriteOwner);
            if (QFile::rename(temp, target))
                break;
            QFile::remove(temp);
        }
    }
}

} // namespace

namespace ProgramDir {

QString locate(const QString& executableDir) {
    QString exeDir = QDir(executableDir).absolutePath();
    if (QFileInfo::exists(exeDir + QStringLiteral("/PCBW.INI")))
        return exeDir;
    // Not AppConfigLocation: that follows whatever name the application object carries, and the
    // command line and the desktop program must share one directory.
    QString dir = QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                                  QStringLiteral("/bootwright"));
    // A directory that cannot be made shows up at the first write, as "Unable to write to" its file.
    QDir().mkpath(dir);
    seed(dir, exeDir);
    return dir;
}

QStringList catalogueSources(const QString& executableDir) {
    const QString exeDir = QDir(executableDir).absolutePath();
    QStringList dirs{QDir::cleanPath(exeDir + QStringLiteral("/../share/bootwright")),
                     QDir::cleanPath(exeDir + QStringLiteral("/share/bootwright")),
                     QDir::cleanPath(QStringLiteral(BW_DATA_DIR)), QStringLiteral("/usr/share/bootwright")};
    dirs.removeDuplicates();
    return dirs;
}

void checkSettingsFiles(const QString& dir) {
    for (const QString& name :
         QStringList{QStringLiteral("PCBW.INI"), QStringLiteral("PCBWSAVE.INI")} + kCatalogues)
        (void)ProfileFile(QDir(dir).filePath(name)).snapshot();
}

} // namespace ProgramDir
