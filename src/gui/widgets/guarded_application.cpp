#include "gui/widgets/guarded_application.h"

#include "platform/dialogs.h"

#include <cstdio>
#include <exception>

namespace {

void report(const QString& text, Dialogs* dialogs) {
    if (dialogs)
        dialogs->message(text, Dialogs::Icon::Error, Dialogs::Buttons::Ok, 0);
    else
        std::fprintf(stderr, "bootwright: %s\n", qPrintable(text));
}

} // namespace

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    return deliver([&] { return QApplication::notify(receiver, event); }, m_dialogs);
}

bool GuardedApplication::deliver(const std::function<bool()>& delivery, Dialogs* dialogs) {
    try {
        return delivery();
    } catch (const std::exception& e) {
        report(QString::fromStdString(e.what()), dialogs);
    } catch (...) {
        report(QStringLiteral("An unexpected error stopped the operation in progress."), dialogs);
    }
    return false;
}
