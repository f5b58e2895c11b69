#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// DOS-style paths as the program and its files spell them: "A:\NET\PROTOCOL.INI", "C:\NICS\",
// "netbind.com", and on Linux also host paths such as "/opt/nics/ne2000.dos".
// "\" and "/" both separate; "X:" names a drive.
namespace DosPath {

struct Parsed {
    QChar drive;         // upper-case drive letter, or a null QChar when the path names none
    bool hostAbsolute{}; // true for a host path that starts with "/" or "\" (and names no drive)
    QStringList parts;   // the path's components, empty ones and "." dropped, trailing dots removed
};

Parsed parse(const QString& path);

// What follows the last "\", "/" or ":"; "NE2000.DOS" for "c:\drivers\NE2000.DOS".
QString fileNamePart(const QString& path);

// A name as DOS and Windows take it: trailing dots dropped ("LMHOSTS." is "LMHOSTS").
QString normalizeName(const QString& name);

} // namespace DosPath
