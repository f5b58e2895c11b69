#include "rules/choice_rules.h"

#include "platform/text_util.h"
#include "rules/post_configuration_rules.h"
#include "rules/show_steps.h"
#include "rules/wizard_flow.h"
#include "settings/build_settings.h"
#include "settings/page_values.h"

namespace ChoiceRules {

namespace {

using namespace PageValue;

void numberName(BuildSettings& s, const AddressPage& page) {
    if (s.isChecked(page.nameSwitch))
        s.setText(page.nameField, AddressRoutines::AutoClientInc(s.text(page.nameField), page));
}

bool oneOf(const QString& name, std::initializer_list<QLatin1String> values) {
    for (QLatin1String v : values) {
        if (name == v)
            return true;
    }
    return false;
}

} // namespace

void chosen(BuildSettings& s, const QString& name, Memory& memory) {
    chosen(s, name,
           name.startsWith(WizardFlow::className(PageId::MicrosoftStandalone) + QLatin1Char('.'))
               ? memory.microsoft
               : memory.multicast);
}

void chosen(BuildSettings& s, const QString& name, RememberedAddress& remembered) {
    // Multicast client page
    if (name == MulticastNameIncrement)
        return numberName(s, AddressPages::MulticastClient);
    if (name == MulticastIpDhcp)
        return ShowSteps::dhcpCheck(s, AddressPages::MulticastClient, remembered);

    // Microsoft standalone page
    if (oneOf(name, {MicrosoftIpIncrement, MicrosoftIpDhcp, MicrosoftIpFixed}))
        return ShowSteps::dhcpCheck(s, AddressPages::MicrosoftStandalone, remembered);
    if (name == MicrosoftNameIncrement)
        return numberName(s, AddressPages::MicrosoftStandalone);
    if (name == MicrosoftNameFixed) {
        if (Trim(s.text(MicrosoftName)) == QLatin1String("Derive From NIC MAC Address"))
            s.setText(MicrosoftName, QString());
        return;
    }

    // Post-configuration page
    if (oneOf(name, {PostIpSet, PostIpSame}))
        return PostConfigurationRules::addressSource(s);
    if (oneOf(name, {PostIpFixed, PostIpIncrement, PostIpMulticast, PostIpDhcp}))
        return PostConfigurationRules::addressKind(s);
    if (oneOf(name, {PostMaskSet, PostMaskSame}))
        return PostConfigurationRules::maskSource(s);
    if (name == PostMaskMulticast)
        return PostConfigurationRules::maskCopy(s);
    if (oneOf(name, {PostNameSet, PostNameSame}))
        return PostConfigurationRules::nameSource(s);
    if (oneOf(name, {PostNameFixed, PostNameIncrement, PostNameMac, PostNameMulticast}))
        return PostConfigurationRules::nameKind(s);
    if (oneOf(name, {PostGroupWorkgroup, PostGroupDomain, PostGroupSame}))
        return PostConfigurationRules::workgroup(s);
    if (oneOf(name, {PostLoginSet, PostLoginSame}))
        return PostConfigurationRules::login(s);
}

} // namespace ChoiceRules
