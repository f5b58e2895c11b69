#include "rules/show_steps.h"

#include "settings/build_settings.h"

namespace ShowSteps {

namespace {

using AddressRoutines::trimBlanks;

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

// Post-configuration page, IP address kind rule: each test in turn.
void addressKindRule(BuildSettings& s) {
    const QString bootp = AddressPages::PostConfiguration.automaticWord;
    if ((on(s, "TForm99.RadioButton13") || on(s, "TForm99.RadioButton21")) &&
        trimmedIs(s, "TForm99.Edit1", bootp))
        set(s, "TForm99.Edit1", AddressText::DefaultAddress);
    if (on(s, "TForm99.RadioButton15"))
        set(s, "TForm99.Edit1", s.text(QStringLiteral("TForm6.Edit1")));
    if (on(s, "TForm99.RadioButton16"))
        set(s, "TForm99.Edit1", bootp);
}

// Post-configuration page, computer name kind rule, as it runs when "Use as Entered " has just
// been selected by the name source rule.
void nameKindRuleForUseAsEntered(BuildSettings& s) {
    if (trimmedIs(s, "TForm99.Edit3", kSameAsImage) || trimmedIs(s, "TForm99.Edit3", kDeriveFromMac))
        set(s, "TForm99.Edit3", QString());
}

void postConfigurationRules(BuildSettings& s) {
    if (on(s, "TForm99.RadioButton3")) {
        addressKindRule(s);
        if (!on(s, "TForm99.RadioButton13") && !on(s, "TForm99.RadioButton15") &&
            !on(s, "TForm99.RadioButton16")) {
            s.setChecked(QStringLiteral("TForm99.RadioButton21"), true);
            addressKindRule(s);
        }
    } else {
        set(s, "TForm99.Edit1", AddressText::DefaultAddress);
        for (const char* kind : {"TForm99.RadioButton21", "TForm99.RadioButton13", "TForm99.RadioButton15",
                                 "TForm99.RadioButton16"})
            s.setChecked(QLatin1String(kind), false);
    }

    if (on(s, "TForm99.RadioButton5")) {
        if (on(s, "TForm99.CheckBox6"))
            set(s, "TForm99.Edit2", s.text(QStringLiteral("TForm6.Edit2")));
    } else {
        set(s, "TForm99.Edit2", AddressText::DefaultMask);
    }

    if (on(s, "TForm99.RadioButton7")) {
        if (!on(s, "TForm99.RadioButton20")) {
            s.setChecked(QStringLiteral("TForm99.RadioButton20"), true);
            nameKindRuleForUseAsEntered(s);
        }
    } else {
        for (const char* kind : {"TForm99.RadioButton20", "TForm99.RadioButton17", "TForm99.RadioButton18",
                                 "TForm99.RadioButton19"})
            s.setChecked(QLatin1String(kind), false);
        set(s, "TForm99.Edit3", kSameAsImage);
    }

    if (on(s, "TForm99.RadioButton9") || on(s, "TForm99.RadioButton11")) {
        if (trimmedIs(s, "TForm99.Edit5", kSameAsImage))
            set(s, "TForm99.Edit5", QString());
    } else {
        set(s, "TForm99.Edit5", kSameAsImage);
    }

    if (on(s, "TForm99.RadioButton12")) {
        if (trimmedIs(s, "TForm99.Edit6", kSameAsImage))
            set(s, "TForm99.Edit6", QString());
    } else {
        set(s, "TForm99.Edit6", kSameAsImage);
    }
}

} // namespace

void applyAddressSteps(BuildSettings& settings, const AddressPage& page, RememberedAddress& remembered) {
    QString address = settings.text(page.addressField);
    QString mask = settings.text(page.maskField);
    AddressRoutines::blankFill(address, mask);
    settings.setText(page.addressField, address);
    settings.setText(page.maskField, mask);

    const bool incrementOn =
        settings.isChecked(page.incrementSwitch) &&
        (page.incrementBlockedBy.isEmpty() || !settings.isChecked(page.incrementBlockedBy));
    if (incrementOn) {
        if (const std::optional<QString> next = AddressRoutines::incrementLastOctet(address)) {
            settings.setText(page.addressField, *next);
            if (page.afterIncrement != AddressPage::Remember::Nothing)
                remembered.address = *next;
            if (page.afterIncrement == AddressPage::Remember::AddressAndMask)
                remembered.mask = settings.text(page.maskField);
        }
    }

    if (settings.isChecked(page.nameSwitch))
        settings.setText(page.nameField, AddressRoutines::AutoClientInc(settings.text(page.nameField), page));

    if (!page.dhcpCheckAtShow)
        return;
    AddressFields fields;
    fields.address = settings.text(page.addressField);
    fields.mask = settings.text(page.maskField);
    fields.remembered = remembered;
    fields.dhcp = settings.isChecked(page.dhcpSwitch);
    fields.automatic =
        fields.address == page.automaticWord || (page.dhcpSwitchesMask && fields.mask == page.automaticWord);
    const DhcpCheckEffect effect = AddressRoutines::DHCPCheck(fields, page);
    settings.setText(page.addressField, fields.address);
    settings.setText(page.maskField, fields.mask);
    remembered = fields.remembered;
    if (effect.uncheckIncrementSwitch)
        settings.setChecked(page.dhcpTiesIncrement, false);
}

void multicastClient(BuildSettings& settings, RememberedAddress& remembered) {
    applyAddressSteps(settings, AddressPages::MulticastClient, remembered);
}

void postConfiguration(BuildSettings& settings) {
    postConfigurationRules(settings);
    RememberedAddress nothingKept;
    applyAddressSteps(settings, AddressPages::PostConfiguration, nothingKept);
}

void microsoftStandalone(BuildSettings& settings, RememberedAddress& remembered) {
    settings.setBuildMode(3);
    applyAddressSteps(settings, AddressPages::MicrosoftStandalone, remembered);
}

} // namespace ShowSteps
