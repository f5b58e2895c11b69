#pragma once

#include <QString>

// The windows of the wizard, by role.
enum class PageId {
    Main,                 // TForm1
    ClientLocation,       // TForm11
    StandaloneParameters, // TForm9
    NetWare,              // TForm21
    MicrosoftStandalone,  // TForm40
    NicSelection,         // TForm4
    NicParameters,        // TForm7
    MulticastClient,      // TForm6
    PostConfiguration,    // TForm99
    Summary,              // TForm8
    SaveConfiguration,    // TForm13
    LoadConfiguration,    // TForm12
    DisketteLocation,     // TForm2
    Build,                // TForm3
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
