#pragma once

// The boxes a build shows, word for word, for the tests that check which came up.

#include <QString>

inline const QString kComplete = QStringLiteral("Client diskette build complete.  Create Another?");
inline const QString kCanceled = QStringLiteral("Client diskette build canceled.  Create Another?");
inline const QString kFloppy =
    QStringLiteral("Floppy diskette could not be written to.  Build can not continue.");
inline const QString kConfigFailed =
    QStringLiteral("CONFIG.SYS could not be created.  Build can not continue.");
inline const QString kClientMissing = QStringLiteral(
    "The Pellacore Client could not be found in the specified location.  Creation can not proceed.");

// The warning for a DOS system file missing on the diskette ("HIMEM.SYS").
inline QString systemFileWarning(const QString& name) {
    return name +
           QStringLiteral(" could not be found on the floppy diskette.  Build will continue but you must "
                          "copy this file to the diskette when the build is done.  Press F1 for help.");
}
