#include "rules/post_configuration_rules.h"

#include "platform/text_util.h"
#include "rules/show_steps.h"
#include "settings/build_settings.h"
#include "settings/page_values.h"

namespace PostConfigurationRules {

namespace {

const AddressPage& kPage = AddressPages::PostConfiguration;
const QString kSameAsImage = QStringLiteral("Same as Image");
const QString kDeriveFromMac = QStringLiteral("Derive From NIC MAC Address");

bool on(const BuildSettings& s, QLatin1String name) {
    return s.isChecked(name);
}

void set(BuildSettings& s, QLatin1String name, const QString& text) {
    s.setText(name, text);
}

bool trimmedIs(const BuildSettings& s, QLatin1String name, const QString& text) {
    return Trim(s.text(name)) == text;
}

void clear(BuildSettings& s, std::initializer_list<QLatin1String> group) {
    for (QLatin1String name : group)
        s.setChecked(name, false);
}

// Selects a button as a click would, running the group's rule when it was not selected yet.
void select(BuildSettings& s, QLatin1String name, void (*rule)(BuildSettings&)) {
    if (on(s, name))
        return;
    s.setChecked(name, true);
    rule(s);
}

} // namespace

void addressSource(BuildSettings& s) {
    if (on(s, PageValue::PostIpSet)) {
        addressKind(s);
        if (!on(s, PageValue::PostIpIncrement) && !on(s, PageValue::PostIpMulticast) &&
            !on(s, PageValue::PostIpDhcp))
            select(s, PageValue::PostIpFixed, addressKind);
        return;
    }
    set(s, PageValue::PostIp, AddressText::DefaultAddress);
    clear(s, {PageValue::PostIpFixed, PageValue::PostIpIncrement, PageValue::PostIpMulticast,
              PageValue::PostIpDhcp});
}

void addressKind(BuildSettings& s) {
    // Each test in turn, not as alternatives: only the selected button's test does anything.
    if ((on(s, PageValue::PostIpIncrement) || on(s, PageValue::PostIpFixed)) &&
        trimmedIs(s, PageValue::PostIp, kPage.automaticWord))
        set(s, PageValue::PostIp, AddressText::DefaultAddress);
    if (on(s, PageValue::PostIpMulticast))
        set(s, PageValue::PostIp, s.text(PageValue::MulticastIp));
    if (on(s, PageValue::PostIpDhcp))
        set(s, PageValue::PostIp, kPage.automaticWord);
}

void maskSource(BuildSettings& s) {
    if (on(s, PageValue::PostMaskSet)) {
        if (on(s, PageValue::PostMaskMulticast))
            set(s, PageValue::PostMask, s.text(PageValue::MulticastMask));
        return;
    }
    set(s, PageValue::PostMask, AddressText::DefaultMask);
}

void maskCopy(BuildSettings& s) {
    set(s, PageValue::PostMask,
        on(s, PageValue::PostMaskMulticast) ? s.text(PageValue::MulticastMask) : AddressText::DefaultMask);
}

void nameSource(BuildSettings& s) {
    if (on(s, PageValue::PostNameSet)) {
        select(s, PageValue::PostNameFixed, nameKind);
        return;
    }
    clear(s, {PageValue::PostNameFixed, PageValue::PostNameIncrement, PageValue::PostNameMac,
              PageValue::PostNameMulticast});
    set(s, PageValue::PostName, kSameAsImage);
}

void nameKind(BuildSettings& s) {
    // Each test in turn: "Use as Entered " clears what another choice wrote into the field.
    if (on(s, PageValue::PostNameFixed) && trimmedIs(s, PageValue::PostName, kSameAsImage))
        set(s, PageValue::PostName, QString());
    if (on(s, PageValue::PostNameIncrement))
        set(s, PageValue::PostName, AddressRoutines::AutoClientInc(s.text(kPage.nameField), kPage));
    if (on(s, PageValue::PostNameMac))
        set(s, PageValue::PostName, kDeriveFromMac);
    if (on(s, PageValue::PostNameMulticast))
        set(s, PageValue::PostName, s.text(PageValue::MulticastName));
    if (on(s, PageValue::PostNameFixed) && trimmedIs(s, PageValue::PostName, kDeriveFromMac))
        set(s, PageValue::PostName, QString());
}

void workgroup(BuildSettings& s) {
    if (on(s, PageValue::PostGroupWorkgroup) || on(s, PageValue::PostGroupDomain)) {
        if (trimmedIs(s, PageValue::PostGroup, kSameAsImage))
            set(s, PageValue::PostGroup, QString());
        return;
    }
    set(s, PageValue::PostGroup, kSameAsImage);
}

void login(BuildSettings& s) {
    if (on(s, PageValue::PostLoginSet)) {
        if (trimmedIs(s, PageValue::PostLoginName, kSameAsImage))
            set(s, PageValue::PostLoginName, QString());
        return;
    }
    set(s, PageValue::PostLoginName, kSameAsImage);
}

void show(BuildSettings& s, bool advance) {
    addressSource(s);
    maskSource(s);
    nameSource(s);
    workgroup(s);
    login(s);
    RememberedAddress nothingKept;
    ShowSteps::applyAddressSteps(s, kPage, nothingKept, advance);
}

void leave(BuildSettings& s) {
    if (on(s, PageValue::PostIpSame) && on(s, PageValue::PostMaskSame) && on(s, PageValue::PostNameSame) &&
        on(s, PageValue::PostGroupSame) && on(s, PageValue::PostLoginSame))
        s.setChecked(PageValue::PostOff, true);
}

void leaveField(BuildSettings& s) {
    s.setText(PageValue::PostNameCopy, s.text(kPage.nameField));
}

} // namespace PostConfigurationRules
