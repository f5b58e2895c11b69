#pragma once

class BuildSettings;

// The post-configuration page's rules over values: one per group of choices, each as it runs when
// a button of its group becomes selected, then what showing the page and leaving it do. The page
// runs them on its own values; the command line runs the show steps between diskettes.
namespace PostConfigurationRules {

void addressSource(BuildSettings& s); // "Set IP Address" or "Same as Image"
void addressKind(BuildSettings& s);   // Use as Entered, Auto-Increment, Same as Multicast, NT-DHCP
void maskSource(BuildSettings& s);    // "Set Sub Net Mask" or "Same as Image"
void maskCopy(BuildSettings& s);      // the mask's "Same as Multicast Parameter"
void nameSource(BuildSettings& s);    // "Set Computer Name" or "Same as Image"
void nameKind(BuildSettings& s);      // Use as Entered, Auto Assign, from the MAC, Same as Multicast
void workgroup(BuildSettings& s);     // Set Workgroup, Set Domain, Same as Image
void login(BuildSettings& s);         // Set Login Name, Same as Image

// Showing the page: the source rules of every tab (they reset the "Same as Image" fields and
// reselect "Use as Entered " for the computer name), then blank fill, the Auto-Increment of the
// address and the name numbering (these two only when `advance`).
void show(BuildSettings& s, bool advance = true);

// Back and Next: with every setting "Same as Image" the workstation is not post-configured.
void leave(BuildSettings& s);
// Leaving any of the three name fields copies the computer name.
void leaveField(BuildSettings& s);

} // namespace PostConfigurationRules
