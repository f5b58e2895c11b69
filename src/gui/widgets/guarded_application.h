#pragma once

#include <QApplication>
#include <functional>

class Dialogs;

// The application object of the desktop program. An exception that reaches an event handler's
// boundary (a click, a timer) is shown in an error box and the program goes on: the build page's
// unhandled input/output errors end up here.
class GuardedApplication : public QApplication {
    Q_OBJECT
public:
    GuardedApplication(int& argc, char** argv);

    // Where the error boxes go; without one the error is written to the standard error stream.
    void setDialogs(Dialogs* dialogs) { m_dialogs = dialogs; }
    bool notify(QObject* receiver, QEvent* event) override;

    // Runs one delivery; an exception from it is reported and the delivery counts as not handled.
    static bool deliver(const std::function<bool()>& delivery, Dialogs* dialogs);

private:
    Dialogs* m_dialogs = nullptr;
};
