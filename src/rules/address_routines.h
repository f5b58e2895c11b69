#pragma once

#include "platform/text_util.h"
#include "settings/address_text.h"
#include "settings/page_values.h"

#include <QString>
#include <QStringList>
#include <optional>

// What sets the three pages with address fields apart. The routines below are written once and take
// one of the constants in AddressPages; controls are named as BuildSettings names them.
struct AddressPage {
    enum class Remember { Nothing, Address, AddressAndMask };

    QString addressField;
    QString maskField;
    QString nameField;
    QString incrementSwitch;    // turns on the show-time increment of the address
    QString incrementBlockedBy; // must be off as well for the increment; empty: nothing blocks it
    Remember afterIncrement;    // what is remembered after a show-time increment
    QString nameSwitch;         // turns on AutoClientInc
    QStringList namesToClient;  // trimmed names that become "CLIENT" before numbering
    QString dhcpSwitch;         // the DHCP choice
    QString automaticWord;      // what the switched fields show in automatic-assignment mode
    bool dhcpSwitchesMask;      // the mask field follows the address field in and out of that mode
    bool dhcpSwitchesBack;      // DHCPCheck also takes the fields out again (and remembers for that)
    QString rejectedPrefix;     // a remembered value beginning with this is not restored
    QString dhcpTiesIncrement;  // increment switch unchecked and disabled while DHCP is on; or empty
    bool dhcpCheckAtShow;       // the show handler runs DHCPCheck
};

namespace AddressPages {
// Multicast client page
inline const AddressPage MulticastClient{
    .addressField = PageValue::MulticastIp,
    .maskField = PageValue::MulticastMask,
    .nameField = PageValue::MulticastName,
    .incrementSwitch = PageValue::MulticastIpIncrement,
    .incrementBlockedBy = PageValue::MulticastIpDhcp,
    .afterIncrement = AddressPage::Remember::AddressAndMask,
    .nameSwitch = PageValue::MulticastNameIncrement,
    .namesToClient = {},
    .dhcpSwitch = PageValue::MulticastIpDhcp,
    .automaticWord = QStringLiteral("DHCP"),
    .dhcpSwitchesMask = true,
    .dhcpSwitchesBack = true,
    .rejectedPrefix = QStringLiteral("DHCP"),
    .dhcpTiesIncrement = PageValue::MulticastIpIncrement,
    .dhcpCheckAtShow = true,
};

// Post-configuration page
inline const AddressPage PostConfiguration{
    .addressField = PageValue::PostIp,
    .maskField = PageValue::PostMask,
    .nameField = PageValue::PostName,
    .incrementSwitch = PageValue::PostIpIncrement,
    .incrementBlockedBy = {},
    .afterIncrement = AddressPage::Remember::Nothing,
    .nameSwitch = PageValue::PostNameIncrement,
    .namesToClient = {QString(), QStringLiteral("Derive From NIC MAC Address"),
                      QStringLiteral("Same as Image")},
    .dhcpSwitch = PageValue::PostIpDhcp,
    .automaticWord = QStringLiteral("BOOTP"),
    .dhcpSwitchesMask = false,
    .dhcpSwitchesBack = false,
    .rejectedPrefix = {},
    .dhcpTiesIncrement = {},
    .dhcpCheckAtShow = false,
};

// Microsoft standalone page
inline const AddressPage MicrosoftStandalone{
    .addressField = PageValue::MicrosoftIp,
    .maskField = PageValue::MicrosoftMask,
    .nameField = PageValue::MicrosoftName,
    .incrementSwitch = PageValue::MicrosoftIpIncrement,
    .incrementBlockedBy = {},
    .afterIncrement = AddressPage::Remember::Address,
    .nameSwitch = PageValue::MicrosoftNameIncrement,
    .namesToClient = {QString()},
    .dhcpSwitch = PageValue::MicrosoftIpDhcp,
    .automaticWord = QStringLiteral("DHCP"),
    .dhcpSwitchesMask = true,
    .dhcpSwitchesBack = true,
    .rejectedPrefix = QStringLiteral("DHCP"),
    .dhcpTiesIncrement = {},
    .dhcpCheckAtShow = false,
};
} // namespace AddressPages

// The values a page keeps for DHCPCheck while it lives: the last address and mask before the fields
// went into automatic assignment or after a show-time increment. Both start empty.
struct RememberedAddress {
    QString address;
    QString mask;
};

// A page's address fields as DHCPCheck reads and leaves them.
struct AddressFields {
    QString address;
    QString mask;
    RememberedAddress remembered;
    bool dhcp = false;      // the page's DHCP switch
    bool automatic = false; // the fields show the automatic word, without their mask, disabled
};

// What a page does to its controls after DHCPCheck, beyond putting the texts of AddressFields in.
struct DhcpCheckEffect {
    // The switched fields changed mode or text: when AddressFields::automatic, remove the input mask,
    // set the word and disable them; otherwise put the mask back, then the text, and enable them.
    bool fieldsChanged = false;
    bool maskSwitched = false; // the mask field is one of the switched fields
    // Only for a page whose increment switch follows DHCP (AddressPage::dhcpTiesIncrement).
    bool incrementSwitchTouched = false;
    bool incrementSwitchEnabled = true;
    bool uncheckIncrementSwitch = false;
};

namespace AddressRoutines {

// The show handlers' first step: only the exact empty text becomes the default.
void blankFill(QString& address, QString& mask);

// The show-time increment of the last group: 254 gives 255, 255 gives 001, the first three groups
// stay exactly as they were. nullopt when the last group cannot be read (the field stays as it is).
std::optional<QString> incrementLastOctet(const QString& address);

// The next name: the trailing digit run of the trimmed name plus one, after the trimmed prefix
// ("LAB 12" gives "LAB13"). The page's substitutions to "CLIENT" come first. A name without a
// usable number counts from 0, so an empty name on a page without substitutions becomes "1".
// The caller checks the page's auto-assign switch.
QString AutoClientInc(const QString& name, const AddressPage& page);

// Puts the fields into automatic assignment when fields.dhcp is set, or takes them out of it. Out
// of it, the remembered values (or the defaults) come back only when the fields were showing the
// word; an address typed or loaded while DHCP was off stays as it is.
DhcpCheckEffect DHCPCheck(AddressFields& fields, const AddressPage& page);

} // namespace AddressRoutines
