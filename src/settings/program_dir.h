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
} // namespace ProgramDir
