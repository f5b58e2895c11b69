#pragma once

#include <QChar>
#include <QString>

class Dialogs;
class DriveTable;

// The next diskette of a run that writes several (the second diskette of a "Client on Floppy"
// build, each next diskette of a batch update). A floppy drive takes it by hand; an image file or
// a folder cannot be swapped, and writing again through it would write over the diskette just
// done. So for those the user is asked for the next diskette's image or folder.
namespace NextDiskette {

// True when the drive cannot take another diskette by hand: it is an image file or a folder.
bool mustAsk(const DriveTable& drives, QChar letter);

// Asks for the next diskette behind the drive (an image file, new or existing, for an image drive;
// a folder for a folder drive), suggesting a name made from the current one and `suffix`. The host
// path chosen, or an empty text when the user cancelled.
QString ask(Dialogs& dialogs, const DriveTable& drives, QChar letter, const QString& title,
            const QString& suffix);

} // namespace NextDiskette
