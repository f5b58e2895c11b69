#pragma once

#include "rules/address_routines.h"

#include <QString>

class BuildSettings;

// What making a choice does to the other values of its page: the rule a page runs when one of its
// check boxes is clicked or one of its radio buttons becomes selected (the DHCP switches, name
// numbering, the post-configuration choices that copy or reset a field). The pages run them on a
// click; the command line runs them for each choice its --set makes, so a choice means the same
// from both.
namespace ChoiceRules {

// What the address pages remember for DHCPCheck while they live.
struct Memory {
    RememberedAddress multicast;
    RememberedAddress microsoft;
};

// Runs the rule of the value `name`, which has just changed to the state the settings hold (for a
// radio button: become selected). A value without a rule changes nothing else. `remembered` is
// what the value's own page keeps.
void chosen(BuildSettings& settings, const QString& name, RememberedAddress& remembered);
// The same, with what every address page keeps.
void chosen(BuildSettings& settings, const QString& name, Memory& memory);

} // namespace ChoiceRules
