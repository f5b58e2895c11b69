// Start-up of the desktop program after its splash: the help window, the dialogs, the wizard with
// the main window and every page created in the program's order, the main window shown and
// painted. Runs on the offscreen platform unless a display is given.

#include "gui/shell/wizard.h"
#include "gui/widgets/help_window.h"
#include "gui/widgets/qt_dialogs.h"
#include "platform/clock.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

QTemporaryDir* g_dir = nullptr;

void BM_StartUpToMainWindow(benchmark::State& state) {
    for (auto _ : state) {
        HelpWindow help;
        QtDialogs dialogs(help);
        SystemClock clock;
        Wizard wizard(dialogs, help, clock, g_dir->path());
        wizard.createForms();
        wizard.showMain();
        QWidget* main = wizard.form(PageId::Main);
        // Until the window is on screen and painted.
        while (!main->isVisible() || !main->windowHandle() || !main->windowHandle()->isExposed())
            QCoreApplication::processEvents();
        main->repaint();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_StartUpToMainWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QElapsedTimer timer;
    timer.start();
    QApplication app(argc, argv);
    std::printf("QApplication created in %.1f ms\n", timer.nsecsElapsed() / 1e6);
    QTemporaryDir dir;
    g_dir = &dir;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
