#pragma once

#include "settings/build_mode.h"

#include <QString>

// The windows of the wizard, by role. A window keeps its old class name as its object name
// (WizardFlow::className): saved page values are keyed by it.
enum class PageId {
    Main,
    ClientLocation,
    StandaloneParameters,
    NetWare,
    MicrosoftStandalone,
    NicSelection,
    NicParameters,
    MulticastClient,
    PostConfiguration,
    Summary,
    SaveConfiguration,
    LoadConfiguration,
    DisketteLocation,
    Build,
};

// Which page follows which, by BuildMode and the chosen server type: the one place the wizard's
// routes are written down, so they can be tested without a window.
namespace WizardFlow {

QString className(PageId page); // "TForm11"
QString caption(PageId page);   // "Select Pellacore Client"
int helpContext(PageId page);   // F1 topic

// Where "< &Back" leads. nos is the chosen item of the Standalone Parameters page.
PageId back(PageId from, BuildMode buildMode, const QString& nos);

struct Next {
    PageId target = PageId::Main;
    BuildMode buildMode = BuildMode::Multicast; // BuildMode after the move
    QString message;                            // when not empty: shown instead of moving (the page stays)
};
// Where a successful "&Next >" leads, after the page's own checks.
Next next(PageId from, BuildMode buildMode, const QString& nos);

// The Cancel question, trailing blank included ("You will lose all selections! ").
QString cancelQuestion(PageId page);

} // namespace WizardFlow
