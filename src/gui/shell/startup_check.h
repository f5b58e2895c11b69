#pragma once

#include <QString>

class Dialogs;

namespace StartupCheck {
// True when every settings file of the program directory that is there can be read. Otherwise an
// error box names the file and why, and the wizard is not to start: on built-in defaults it would
// build onto another diskette than the one the user configured.
bool settingsReadable(const QString& programDir, Dialogs& dialogs);
} // namespace StartupCheck
