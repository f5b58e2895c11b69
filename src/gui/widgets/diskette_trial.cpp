#include "gui/widgets/diskette_trial.h"

#include "platform/dialogs.h"
#include "platform/virtual_machine.h"

namespace DisketteTrial {

void start(Dialogs& dialogs, const QString& image, QObject* owner) {
    auto* machine = new VirtualMachine::Run(owner);
    if (!machine->start(image, VirtualMachine::Display::Window, 0)) {
        const QString problem = machine->problem();
        delete machine;
        dialogs.message(problem, Dialogs::Icon::Error, Dialogs::Buttons::Ok, 0);
        return;
    }
    QObject::connect(machine, &VirtualMachine::Run::ended, machine, [&dialogs, machine] {
        const QString problem = machine->problem();
        machine->deleteLater();
        if (!problem.isEmpty())
            dialogs.message(problem, Dialogs::Icon::Error, Dialogs::Buttons::Ok, 0);
    });
}

} // namespace DisketteTrial
