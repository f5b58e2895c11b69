#include "gui/shell/main_window.h"
#include "gui/shell/startup_check.h"
#include "gui/shell/wizard.h"
#include "gui/widgets/app_resources.h"
#include "gui/widgets/guarded_application.h"
#include "gui/widgets/help_window.h"
#include "gui/widgets/qt_dialogs.h"
#include "gui/widgets/splash_window.h"
#include "platform/clock.h"
#include "platform/stale_files.h"
#include "settings/program_dir.h"

#include <cstdio>
#include <cstring>

namespace {

const char* const kUsage =
    "usage: bootwright [--help | --version] [Qt options such as -platform offscreen]\n"
    "\n"
    "The wizard that builds bootable client diskettes. It works on the program directory: the\n"
    "program's own when a PCBW.INI stands beside it, else ~/.config/bootwright.\n"
    "\n"
    "  --help      show this help\n"
    "  --version   show the program's version\n"
    "\n"
    "bootwright-cli builds the same diskettes from a shell.\n";

} // namespace

int main(int argc, char* argv[]) {
    // Answered before any display is looked for, so that they work on a console too.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("bootwright %s\n", BW_VERSION);
            return 0;
        }
    }
    // Without a display Qt would abort with a long plugin message; say what to do instead.
    const bool headless = qEnvironmentVariableIsEmpty("DISPLAY") &&
                          qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
                          qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (headless) {
        std::fprintf(stderr, "bootwright: no display found; run it under a desktop session or as "
                             "'xvfb-run -a bootwright' (bootwright-cli builds diskettes without one).\n");
        return 1;
    }
    GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("bootwright"));
    QApplication::setApplicationVersion(QStringLiteral(BW_VERSION));
    QApplication::setWindowIcon(appIcon(QStringLiteral("app_icon")));
    // Lets the desktop match the windows to the installed menu entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("example.larkmoor.bootwright"));

    {
        SplashWindow splash;
        splash.run(versionText());
    }

    HelpWindow help;
    QtDialogs dialogs(help);
    app.setDialogs(&dialogs);
    SystemClock clock;
    const QString programDir = ProgramDir::locate(QApplication::applicationDirPath());
    if (!StartupCheck::settingsReadable(programDir, dialogs)) {
        app.setDialogs(nullptr);
        return 3;
    }
    // What killed runs left behind goes before this one starts.
    StaleFiles::sweep(programDir);
    Wizard wizard(dialogs, help, clock, programDir);
    wizard.createForms();
    // The main window's end is the program's, whatever other window (help, say) is still open.
    QObject::connect(wizard.form<MainWindow>(PageId::Main), &MainWindow::closed, &app,
                     [] { QCoreApplication::exit(0); });
    wizard.showMain();
    const int status = app.exec();
    app.setDialogs(nullptr);
    return status;
}
