#pragma once

#include <QString>

// The windows of the wizard, by role.
enum class PageId {
    Main,                 // TForm1
    ClientLocation,       // ClientLocationPage
    StandaloneParameters, // StandaloneParametersPage
    NetWare,              // NetWarePage
    MicrosoftStandalone,  // MicrosoftStandalonePage
    NicSelection,         // NicSelectionPage
    NicParameters,        // NicParametersPage
    MulticastClient,      // MulticastClientPage
    PostConfiguration,    // PostConfigurationPage
    Summary,              // SummaryPage
    SaveConfiguration,    // SaveConfigurationPage
    LoadConfiguration,    // LoadConfigurationPage
    DisketteLocation,     // DisketteLocationPage
    Build,                // BuildPage
};

// Which page follows which, by BuildMode and the chosen server type: the one place the wizard's
// routes are written down, so they can be tested without a window.
namespace WizardFlow {

QString className(PageId page); // "TForm11"
QString caption(PageId page);   // "Select Pellacore Client"
int helpContext(PageId page);   // F1 topic

// Where "< &Back" leads. nos is the chosen item of the Standalone Parameters page.
PageId back(PageId from, int buildMode, const QString& nos);

struct Next {
    PageId target = PageId::Main;
    int buildMode = 1; // BuildMode after the move
    QString message;   // when not empty: shown instead of moving (the page stays)
};
// Where a successful "&Next >" leads, after the page's own checks.
Next next(PageId from, int buildMode, const QString& nos);

// The Cancel question, trailing blank included ("You will lose all selections! ").
QString cancelQuestion(PageId page);

} // namespace WizardFlow
