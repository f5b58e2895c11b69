#pragma once

#include "platform/dialogs.h"
#include "platform/drive_table.h"
#include "platform/help.h"
#include "rules/wizard_flow.h"
#include "settings/build_settings.h"

#include <QString>

class AdvanceDue;
class Clock;
class HostQueue;
class QWidget;

// What a page knows of the program around it: the ports, the program directory, BuildMode, the
// values of every page, and the move to another window. The wizard host implements it; a page never
// sees the host itself, so a page can be built and tested with any implementation.
class PageHost {
public:
    virtual ~PageHost() = default;

    virtual Dialogs& dialogs() = 0;
    virtual Help& help() = 0;
    virtual const Clock& clock() const = 0;
    virtual const QString& programDir() const = 0;
    // The drive table as PCBW.INI says now (read at each call: nothing is cached).
    virtual DriveTable drives() const = 0;

    virtual BuildMode buildMode() const = 0;
    virtual void setBuildMode(BuildMode mode) = 0;
    // The chosen item of the Standalone Parameters page, which some routes depend on.
    virtual QString chosenNos() const = 0;

    // Every page value and BuildMode, read from the controls.
    virtual BuildSettings collect() const = 0;
    // Sets every page value and BuildMode from the settings (a loaded configuration).
    virtual void apply(const BuildSettings& settings) = 0;

    // The host list the address pages and the batch take each next host from (inactive without
    // one).
    virtual HostQueue& hosts() = 0;
    // Which address pages advance their values when next shown: those a diskette was built from.
    virtual AdvanceDue& advanceDue() = 0;

    // The window of a role, or nullptr.
    virtual QWidget* form(PageId id) const = 0;
    // Hides `from` (when given) and shows the target; the main window for PageId::Main.
    virtual void go(QWidget* from, PageId to) = 0;
    virtual void showMain(QWidget* from = nullptr) = 0;
};
