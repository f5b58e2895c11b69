#include "app/help_window.h"
#include "app/qt_dialogs.h"
#include "app/wizard.h"
#include "common/clock.h"
#include "settings/program_dir.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    // Without a display Qt would abort with a long plugin message; say what to do instead.
    const bool headless = qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
                          qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (headless) {
        std::fprintf(stderr, "bootwright: no display found; run it under a desktop session or as "
                             "'xvfb-run -a bootwright' (bootwright-cli builds diskettes without one).\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("bootwright"));
    QApplication::setApplicationDisplayName(QStringLiteral("Pellacore Bootwright"));
    QApplication::setApplicationVersion(QStringLiteral(BW_VERSION));

    HelpWindow help;
    QtDialogs dialogs(help);
    SystemClock clock;
    Wizard wizard(dialogs, help, clock, ProgramDir::locate(QApplication::applicationDirPath()));
    wizard.createForms();
    wizard.showMain();
    return app.exec();
}
