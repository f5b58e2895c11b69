#pragma once

#include "platform/dialogs.h"
#include "rules/wizard_flow.h"

#include <QString>
#include <optional>

class BuildSettings;
class DosFs;

// What a page shows instead of moving on: one message box with an OK button and the warning icon
// (the error icon for a failure to read); the page stays with its values.
struct Refusal {
    QString text;
    Dialogs::Icon icon = Dialogs::Icon::Warning;
    bool operator==(const Refusal&) const = default;
};
using Check = std::optional<Refusal>;

// Every rule a page applies to values, over BuildSettings: the page calls these on its own values
// and bootwright-cli on the values it was given, so a diskette built from the shell passes the same
// checks as one built in the wizard. The show steps of the three address pages are in ShowSteps,
// the post-configuration page's rules in PostConfigurationRules.
namespace PageRules {

// Client location page: an empty field takes the last accepted client program (Client in PCBW.INI)
// when it is shown.
void clientLocationShow(BuildSettings& settings, const QString& programDir);
// The client program must be named and must exist. The file system is asked through `fs`; an error
// reading it is refused with its own text as an error box.
Check clientLocationNext(const BuildSettings& settings, DosFs& fs);

// NIC selection page, shown: a card chosen from one catalogue and shown with another (a NetWare
// diskette after a Multicast one) takes the driver the shown catalogue names for that card, or is
// cleared when the shown catalogue has no such card; a driver typed or browsed for is kept. Without
// a catalogue to judge by (No-network mode, a missing file) nothing changes.
void nicSelectionShow(BuildSettings& settings, const QString& programDir);

// NIC selection page: a NIC must be chosen and its driver file must exist.
Check nicSelectionNext(const BuildSettings& settings, DosFs& fs);
// Leaving the Selection field after typing in it: what was typed is the driver path the build
// copies, chosen as with "Other - Have Disk".
void nicSelectionLeaveSelection(BuildSettings& settings);
// The same rule the other way round, for values given without the page (a saved configuration,
// --set): a driver given by its path alone, with no Selection, counts as typed into the Selection
// field, which is what the page's check looks at and what leaving the field would copy to the path.
void nicSelectionFromDriver(BuildSettings& settings);

// NIC parameters page: IRQ and port must have a text, whichever Plug-and-Play choice is made (a
// saved configuration keeps both).
Check nicParametersNext(const BuildSettings& settings);

// Multicast client page: a client name, an IP address and a sub net mask, in that order; then
// neither may hold a number above 255.
Check multicastClientNext(const BuildSettings& settings);
// The same page's checks of its address field alone, for an address given without the page (where
// the page's untouched "  0.  0.  0.  0" is no address either).
Check multicastClientAddress(const BuildSettings& settings);

// Post-configuration page: an address or mask set here may not hold a number above 255.
Check postConfigurationNext(const BuildSettings& settings);

// Microsoft standalone page: the address and the mask may not hold a number above 255, and the
// computer name must pass computerName().
Check microsoftStandaloneNext(const BuildSettings& settings);
// The refusal of a computer name that the network client cannot take (HostList::nameProblem's rule,
// the one a host list's names pass), naming the field by its label.
Check computerName(const QString& name, const QString& label);

// The refusal of an address field whose text has a group above 255, naming the field by its label.
Check addressInRange(const BuildSettings& settings, QLatin1String field, const QString& label);
// Leaving the name field copies it, changed or not.
void multicastClientLeaveName(BuildSettings& settings);

// Standalone Parameters page: a server NOS must be chosen. Where it leads, and the BuildMode it
// sets, is the wizard's route (WizardFlow::next).
Check standaloneParametersNext(const BuildSettings& settings);
// The server type that puts the client program on a diskette of its own ("Microsoft TCP/IP -
// Pellacore Client on Floppy"): the page notes that it takes two diskettes.
bool clientOnFloppy(const QString& nos);
// Whether the build writes a second diskette: a Microsoft standalone one (BuildMode 3) whose server
// type is clientOnFloppy. The command line's --disk2 and --pxe ask this; the Microsoft writer, which
// runs in BuildMode 3 alone, asks clientOnFloppy.
bool twoDiskettes(const BuildSettings& settings);

// NetWare page: a frame type must be chosen.
Check netwareNext(const BuildSettings& settings);

// Where a value's page stands in the wizard's order of pages (every route visits its pages in this
// order); values of no page, BuildMode among them, come first.
int wizardPosition(const QString& nameOrAlias);

// The BuildMode a page sets each time it is shown (NetWare 2, Microsoft standalone 3), if any.
std::optional<BuildMode> buildModeOnShow(PageId page);

// The Next check of one page; pages without checks pass.
Check next(PageId page, const BuildSettings& settings, DosFs& fs);

// Walks the route a build takes, from the client location page to the build page, making each
// page's Next check in the route's order and setting BuildMode as the pages do; stops at the first
// refusal. BuildMode 2 is refined from the chosen NOS as the Standalone Parameters page's Next
// does; a BuildMode of 3 or 4 that was set outright is kept and takes its own route.
Check checkRoute(BuildSettings& settings, DosFs& fs);

} // namespace PageRules
