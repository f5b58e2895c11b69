#pragma once

#include <QString>
#include <QStringList>

// Where PCBW.INI, PCBWSAVE.INI and the catalogues live: the executable's own directory when a
// PCBW.INI stands there (portable use, the build tree, the demo); otherwise the per-user
// configuration directory, seeded at first use with the catalogues the installation ships.
namespace ProgramDir {
QString locate(const QString& executableDir);
// Directories searched for the shipped catalogues, in order.
QStringList catalogueSources(const QString& executableDir);
// Reads each settings file of the directory that is there (PCBW.INI, PCBWSAVE.INI, the catalogues)
// once. Throws ProfileReadError naming the first that cannot be read as a profile file (a folder,
// unreadable, larger than ProfileFile::LargestFile): a program that went on would work with
// built-in defaults in place of the user's settings, and write where nobody asked it to.
void checkSettingsFiles(const QString& dir);
} // namespace ProgramDir
