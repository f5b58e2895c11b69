#include "rules/post_configuration_rules.h"

#include "rules/show_steps.h"
#include "settings/build_settings.h"

namespace PostConfigurationRules {

namespace {

using AddressRoutines::trimBlanks;

const AddressPage& kPage = AddressPages::PostConfiguration;
const QString kSameAsImage = QStringLiteral("Same as Image");
const QString kDeriveFromMac = QStringLiteral("Derive From NIC MAC Address");

bool on(const BuildSettings& s, const char* name) {
    return s.isChecked(QLatin1String(name));
}

void set(BuildSettings& s, const char* name, const QString& text) {
    s.setText(QLatin1String(name), text);
}

bool trimmedIs(const BuildSettings& s, const char* name, const QString& text) {
    return trimBlanks(s.text(QLatin1String(name))) == text;
}

void clear(BuildSettings& s, std::initializer_list<const char*> group) {
    for (const char* name : group)
        s.setChecked(QLatin1String(name), false);
}

// Selects a button as a click would, running the group's rule when it was not selected yet.
void select(BuildSettings& s, const char* name, void (*rule)(BuildSettings&)) {
    if (on(s, name))
        return;
    s.setChecked(QLatin1String(name), true);
    rule(s);
}

} // namespace

void addressSource(BuildSettings& s) {
    if (on(s, "TForm99.RadioButton3")) {
        addressKind(s);
        if (!on(s, "TForm99.RadioButton13") && !on(s, "TForm99.RadioButton15") &&
            !on(s, "TForm99.RadioButton16"))
            select(s, "TForm99.RadioButton21", addressKind);
        return;
    }
    set(s, "TForm99.Edit1", AddressText::DefaultAddress);
    clear(s, {"TForm99.RadioButton21", "TForm99.RadioButton13", "TForm99.RadioButton15",
              "TForm99.RadioButton16"});
}

void addressKind(BuildSettings& s) {
    // Each test in turn, not as alternatives: only the selected button's test does anything.
    if ((on(s, "TForm99.RadioButton13") || on(s, "TForm99.RadioButton21")) &&
        trimmedIs(s, "TForm99.Edit1", kPage.automaticWord))
        set(s, "TForm99.Edit1", AddressText::DefaultAddress);
    if (on(s, "TForm99.RadioButton15"))
        set(s, "TForm99.Edit1", s.text(QStringLiteral("TForm6.Edit1")));
    if (on(s, "TForm99.RadioButton16"))
        set(s, "TForm99.Edit1", kPage.automaticWord);
}

void maskSource(BuildSettings& s) {
    if (on(s, "TForm99.RadioButton5")) {
        if (on(s, "TForm99.CheckBox6"))
            set(s, "TForm99.Edit2", s.text(QStringLiteral("TForm6.Edit2")));
        return;
    }
    set(s, "TForm99.Edit2", AddressText::DefaultMask);
}

void maskCopy(BuildSettings& s) {
    set(s, "TForm99.Edit2",
        on(s, "TForm99.CheckBox6") ? s.text(QStringLiteral("TForm6.Edit2")) : AddressText::DefaultMask);
}

void nameSource(BuildSettings& s) {
    if (on(s, "TForm99.RadioButton7")) {
        select(s, "TForm99.RadioButton20", nameKind);
        return;
    }
    clear(s, {"TForm99.RadioButton20", "TForm99.RadioButton17", "TForm99.RadioButton18",
              "TForm99.RadioButton19"});
    set(s, "TForm99.Edit3", kSameAsImage);
}

void nameKind(BuildSettings& s) {
    // Each test in turn: "Use as Entered " clears what another choice wrote into the field.
    if (on(s, "TForm99.RadioButton20") && trimmedIs(s, "TForm99.Edit3", kSameAsImage))
        set(s, "TForm99.Edit3", QString());
    if (on(s, "TForm99.RadioButton17"))
        set(s, "TForm99.Edit3", AddressRoutines::AutoClientInc(s.text(kPage.nameField), kPage));
    if (on(s, "TForm99.RadioButton18"))
        set(s, "TForm99.Edit3", kDeriveFromMac);
    if (on(s, "TForm99.RadioButton19"))
        set(s, "TForm99.Edit3", s.text(QStringLiteral("TForm6.Edit3")));
    if (on(s, "TForm99.RadioButton20") && trimmedIs(s, "TForm99.Edit3", kDeriveFromMac))
        set(s, "TForm99.Edit3", QString());
}

void workgroup(BuildSettings& s) {
    if (on(s, "TForm99.RadioButton9") || on(s, "TForm99.RadioButton11")) {
        if (trimmedIs(s, "TForm99.Edit5", kSameAsImage))
            set(s, "TForm99.Edit5", QString());
        return;
    }
    set(s, "TForm99.Edit5", kSameAsImage);
}

void login(BuildSettings& s) {
    if (on(s, "TForm99.RadioButton12")) {
        if (trimmedIs(s, "TForm99.Edit6", kSameAsImage))
            set(s, "TForm99.Edit6", QString());
        return;
    }
    set(s, "TForm99.Edit6", kSameAsImage);
}

void show(BuildSettings& s) {
    addressSource(s);
    maskSource(s);
    nameSource(s);
    workgroup(s);
    login(s);
    RememberedAddress nothingKept;
    ShowSteps::applyAddressSteps(s, kPage, nothingKept);
}

void leave(BuildSettings& s) {
    if (on(s, "TForm99.RadioButton4") && on(s, "TForm99.RadioButton6") && on(s, "TForm99.RadioButton8") &&
        on(s, "TForm99.RadioButton10") && on(s, "TForm99.RadioButton14"))
        s.setChecked(QStringLiteral("TForm99.RadioButton2"), true);
}

void leaveField(BuildSettings& s) {
    s.setText(QStringLiteral("TForm99.Edit4"), s.text(kPage.nameField));
}

} // namespace PostConfigurationRules
