#include "rules/show_steps.h"

#include "rules/host_list.h"
#include "rules/post_configuration_rules.h"
#include "settings/build_settings.h"

void AdvanceDue::built(BuildMode buildMode) {
    // The Post Configuration page steps its own address and name for a Multicast diskette.
    const QList<PageId> pages =
        buildMode == BuildMode::Multicast ? QList<PageId>{PageId::MulticastClient, PageId::PostConfiguration}
        : buildMode == BuildMode::Microsoft ? QList<PageId>{PageId::MicrosoftStandalone}
                                            : QList<PageId>{};
    for (PageId page : pages) {
        if (!m_due.contains(page))
            m_due.append(page);
    }
}

bool AdvanceDue::take(PageId page) {
    return m_due.removeOne(page);
}

namespace ShowSteps {

void applyAddressSteps(BuildSettings& settings, const AddressPage& page, RememberedAddress& remembered,
                       bool advance) {
    QString address = settings.text(page.addressField);
    QString mask = settings.text(page.maskField);
    AddressRoutines::blankFill(address, mask);
    settings.setText(page.addressField, address);
    settings.setText(page.maskField, mask);

    const bool incrementOn =
        advance && settings.isChecked(page.incrementSwitch) &&
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

    if (advance && settings.isChecked(page.nameSwitch))
        settings.setText(page.nameField, AddressRoutines::AutoClientInc(settings.text(page.nameField), page));

    if (page.dhcpCheckAtShow)
        dhcpCheck(settings, page, remembered);
}

void dhcpCheck(BuildSettings& settings, const AddressPage& page, RememberedAddress& remembered) {
    AddressFields fields;
    fields.address = settings.text(page.addressField);
    fields.mask = settings.text(page.maskField);
    fields.remembered = remembered;
    fields.dhcp = settings.isChecked(page.dhcpSwitch);
    // A field that holds a word instead of an address shows it without the mask: automatic mode,
    // whether switched on this page or loaded.
    const auto isWord = [](const QString& text) {
        return !text.isEmpty() && !AddressText::isMaskedAddress(text);
    };
    fields.automatic = isWord(fields.address) || (page.dhcpSwitchesMask && isWord(fields.mask));
    const DhcpCheckEffect effect = AddressRoutines::DHCPCheck(fields, page);
    settings.setText(page.addressField, fields.address);
    settings.setText(page.maskField, fields.mask);
    remembered = fields.remembered;
    if (effect.uncheckIncrementSwitch)
        settings.setChecked(page.dhcpTiesIncrement, false);
}

void takeHost(BuildSettings& settings, const AddressPage& page, RememberedAddress& remembered,
              const Host& host) {
    if (settings.isChecked(page.dhcpSwitch)) {
        // A radio button is left by selecting another of its group.
        if (page.dhcpSwitch == PageValue::MicrosoftIpDhcp)
            settings.setChecked(PageValue::MicrosoftIpFixed, true);
        else
            settings.setChecked(page.dhcpSwitch, false);
    }
    dhcpCheck(settings, page, remembered);
    QString address = settings.text(page.addressField);
    QString mask = settings.text(page.maskField);
    AddressRoutines::blankFill(address, mask);
    if (const QString given = host.addressField(); !given.isNull())
        address = given;
    if (const QString given = host.maskField(); !given.isNull())
        mask = given;
    settings.setText(page.addressField, address);
    settings.setText(page.maskField, mask);
    settings.setText(page.nameField, host.name);
    if (page.afterIncrement != AddressPage::Remember::Nothing)
        remembered.address = address;
    if (page.afterIncrement == AddressPage::Remember::AddressAndMask)
        remembered.mask = mask;
}

void blankFill(BuildSettings& settings) {
    for (const AddressPage* page : {&AddressPages::MulticastClient, &AddressPages::PostConfiguration,
                                    &AddressPages::MicrosoftStandalone}) {
        QString address = settings.text(page->addressField);
        QString mask = settings.text(page->maskField);
        AddressRoutines::blankFill(address, mask);
        settings.setText(page->addressField, address);
        settings.setText(page->maskField, mask);
    }
}

void multicastClient(BuildSettings& settings, RememberedAddress& remembered) {
    applyAddressSteps(settings, AddressPages::MulticastClient, remembered);
}

void postConfiguration(BuildSettings& settings) {
    PostConfigurationRules::show(settings);
}

void microsoftStandalone(BuildSettings& settings, RememberedAddress& remembered) {
    settings.setBuildMode(BuildMode::Microsoft);
    applyAddressSteps(settings, AddressPages::MicrosoftStandalone, remembered);
}

void nextDiskette(BuildSettings& settings, const Host* host, RememberedAddress& multicast,
                  RememberedAddress& microsoft) {
    const bool microsoftPage = settings.buildMode() == BuildMode::Microsoft;
    if (host)
        takeHost(settings, microsoftPage ? AddressPages::MicrosoftStandalone : AddressPages::MulticastClient,
                 microsoftPage ? microsoft : multicast, *host);
    else if (microsoftPage)
        microsoftStandalone(settings, microsoft);
    else if (settings.buildMode() == BuildMode::Multicast)
        multicastClient(settings, multicast);
    if (settings.buildMode() == BuildMode::Multicast)
        postConfiguration(settings);
}

} // namespace ShowSteps
