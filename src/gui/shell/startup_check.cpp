#include "gui/shell/startup_check.h"

#include "platform/dialogs.h"
#include "platform/io_error.h"
#include "settings/program_dir.h"

namespace StartupCheck {

bool settingsReadable(const QString& programDir, Dialogs& dialogs) {
    try {
        ProgramDir::checkSettingsFiles(programDir);
        return true;
    } catch (const IoError& e) {
        dialogs.message(e.message() + QStringLiteral("\rThe wizard does not start without it: mend the file "
                                                     "or move it aside, then start the wizard again."),
                        Dialogs::Icon::Error, Dialogs::Buttons::Ok, 0);
        return false;
    }
}

} // namespace StartupCheck
