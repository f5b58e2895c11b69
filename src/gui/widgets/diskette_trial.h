#pragma once

#include <QString>

class Dialogs;
class QObject;

// "Try in Virtual Machine" of the build page and "Try a Diskette..." of the main window: boots the
// image in a QEMU window and returns at once, so the wizard stays usable while the machine runs.
// No QEMU, or a machine that fails, is reported in an error box. The machine ends with `owner`.
namespace DisketteTrial {
void start(Dialogs& dialogs, const QString& image, QObject* owner);
} // namespace DisketteTrial
