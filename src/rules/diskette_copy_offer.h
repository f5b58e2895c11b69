#pragma once

#include <QString>

class Dialogs;
class DosFs;

// The offer the client location and NIC selection pages make when a file they need was named on
// a diskette drive: the build needs the diskette drive for the target, so the file has to come
// onto the fixed disk first.
namespace DisketteCopyOffer {

// True when the path names drive A: or B: (in either letter case).
bool onDisketteDrive(const QString& path);

struct Request {
    QString question;      // asked with Yes, No and Cancel
    QString source;        // the file on the diskette
    QString saveFilter;    // of the save dialog
    QString initialDir;    // where the save dialog starts
    QString defaultSuffix; // added to a chosen name without one ("EXE"); empty: none
};

struct Outcome {
    bool proceed = false; // Yes was answered: the page goes on, copied or not
    QString target;       // the path the page's fields now name; empty when they keep theirs
};

// Asks the question; on Yes opens the save dialog and copies the file to the chosen target with
// CopyMyFile. A write that fell short is reported as "<target> File write error! " and leaves
// the fields alone; a copy that did not start still hands back the target, as the program has
// always done. A failure that stops the copy half way is shown with its own text.
Outcome run(Dialogs& dialogs, DosFs& fs, const Request& request);

} // namespace DisketteCopyOffer
