#pragma once

// The main window of a GuiFixture's wizard, its actions and the pages it leads to, as the tests of
// the main window reach them.

#include "gui/shell/main_window.h"
#include "gui_fixture.h"

#include <QAction>

inline MainWindow* mainWindow(GuiFixture& f) {
    return f.wizard->form<MainWindow>(PageId::Main);
}
inline QAction* action(GuiFixture& f, const char* name) {
    return mainWindow(f)->findChild<QAction*>(QString::fromLatin1(name));
}
inline QWidget* page(GuiFixture& f, PageId id) {
    return f.wizard->form(id);
}
