#pragma once

#include "rules/address_routines.h"
#include "rules/wizard_flow.h"

#include <QList>

class BuildSettings;
struct Host;

// When the wizard's address pages advance their values as they are shown (the increments, or the
// next host of a host list): on the first showing after a diskette was built from them, as the
// command line's --count advances once per diskette. Passing a page again (Back then Next, a jump
// from the summary) or a loaded configuration shows the values as they are, so that what the
// summary shows is what the diskette gets.
class AdvanceDue {
public:
    // A diskette of this BuildMode was built: the pages its values came from advance when next
    // shown.
    void built(BuildMode buildMode);
    // The pages' values were replaced (a loaded configuration): none of them advances for it.
    void clear() { m_due.clear(); }
    // Whether the page is to advance at this showing; true once per diskette built.
    bool take(PageId page);

private:
    QList<PageId> m_due;
};

// What showing a page again does to the values, worked on a BuildSettings instead of the controls.
// The command line runs these between diskettes so that each copy gets the address and name that
// passing the wizard again would give it. The remembered values belong to the page and must live as
// long as the run, as they do in the desktop program.
namespace ShowSteps {

// Blank fill, the increment when the page's switch allows it (remembering as the page does), the
// name numbering when its switch is on, and DHCPCheck on a page that runs it at showing. The fields
// count as in automatic mode when one of them shows the page's word. Without `advance` the
// increment and the numbering are left out: the values are shown as they are.
void applyAddressSteps(BuildSettings& settings, const AddressPage& page, RememberedAddress& remembered,
                       bool advance = true);

// DHCPCheck over values: puts the page's address fields into automatic assignment, or takes them
// out of it, as its DHCP switch says (fields holding a word count as being in it).
void dhcpCheck(BuildSettings& settings, const AddressPage& page, RememberedAddress& remembered);

// The blank fill every address page makes first when it is shown: an untouched empty field takes
// the default address or mask.
void blankFill(BuildSettings& settings);

// An address page's showing with a host list: in place of the increment and the numbering, the
// host's name, address and (when the list gives one) mask go into the fields, after the blank
// fill, and are remembered as an increment's would be. A host's address is no DHCP address, so the
// DHCP choice is left (the address is then used as entered); the switches of the increments stay
// as they are, for when the list is closed.
void takeHost(BuildSettings& settings, const AddressPage& page, RememberedAddress& remembered,
              const Host& host);

// Multicast client page
void multicastClient(BuildSettings& settings, RememberedAddress& remembered);

// Post-configuration page: the choice rules that run at showing (they reset the "Same as Image"
// fields and reselect "Use as Entered " for the computer name), then the address steps.
void postConfiguration(BuildSettings& settings);

// Microsoft standalone page: BuildMode 3, then the address steps.
void microsoftStandalone(BuildSettings& settings, RememberedAddress& remembered);

// The pages a further diskette of one run passes again, as passing the wizard again would: the
// address page of the BuildMode advances, or takes `host` when a host list gives each diskette its
// values; then a Multicast diskette's post-configuration page is shown again. `multicast` and
// `microsoft` are what the two address pages remember.
void nextDiskette(BuildSettings& settings, const Host* host, RememberedAddress& multicast,
                  RememberedAddress& microsoft);

} // namespace ShowSteps
