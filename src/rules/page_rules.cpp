#include "rules/page_rules.h"

#include "platform/dos_fs.h"
#include "platform/io_error.h"
#include "rules/address_routines.h"
#include "rules/host_list.h"
#include "rules/nic_catalogue.h"
#include "settings/build_settings.h"
#include "settings/page_values.h"
#include "settings/preferences.h"

#include <QFileInfo>
#include <algorithm>

namespace PageRules {

namespace {

Check refuse(const QString& text, Dialogs::Icon icon = Dialogs::Icon::Warning) {
    return Refusal{text, icon};
}

// Whether a file is there, or why the file system could not tell (an unreadable diskette image,
// say): the reason is worth more to the user than "not found".
std::optional<bool> exists(DosFs& fs, const QString& path, Check& failure) {
    try {
        return fs.fileExists(path);
    } catch (const IoError& e) {
        failure = refuse(e.message(), Dialogs::Icon::Error);
        return std::nullopt;
    }
}

// The classic check on Next: only the untouched empty field and all zeros count as no address.
bool isNoAddress(const QString& text) {
    return text == AddressText::AllZeros || text == AddressText::Blank;
}

} // namespace

void clientLocationShow(BuildSettings& settings, const QString& programDir) {
    // Only while the field is empty, so a location the user is working on is never replaced.
    const QString field = PageValue::ClientProgram;
    if (!settings.text(field).isEmpty())
        return;
    const QString stored = Preferences(programDir).client();
    if (stored != QLatin1String("XXX"))
        settings.setText(field, stored);
}

Check clientLocationNext(const BuildSettings& settings, DosFs& fs) {
    const QString client = settings.text(PageValue::ClientProgram);
    if (client.isEmpty())
        return refuse(QStringLiteral("You must specify the Pellacore Client location."));
    Check failure;
    const std::optional<bool> found = exists(fs, client, failure);
    if (!found)
        return failure;
    if (!*found)
        return refuse(QStringLiteral("The Pellacore Client could not be found in the specified location."));
    return {};
}

Check nicSelectionNext(const BuildSettings& settings, DosFs& fs) {
    if (settings.text(PageValue::NicSelection).isEmpty())
        return refuse(QStringLiteral("You must specify a NIC."));
    const QString driver = settings.text(PageValue::NicDriver);
    Check failure;
    const std::optional<bool> found = exists(fs, driver, failure);
    if (!found)
        return failure;
    if (!*found)
        return refuse(QStringLiteral("NIC driver ") + driver + QStringLiteral(" not found."));
    return {};
}

void nicSelectionShow(BuildSettings& settings, const QString& programDir) {
    const QString entry = settings.text(PageValue::NicEntry);
    if (entry.isEmpty() || entry == NicCatalogue::otherHaveDisk())
        return;
    const NicCatalogue catalogue(programDir, settings.buildMode());
    if (catalogue.listFile().isEmpty() || !QFileInfo::exists(catalogue.listFile()))
        return;
    if (catalogue.entries().contains(entry)) {
        settings.setText(PageValue::NicSelection, entry);
        settings.setText(PageValue::NicDriver, catalogue.driverPath(entry));
        return;
    }
    for (QLatin1String field : {PageValue::NicSelection, PageValue::NicDriver, PageValue::NicEntry})
        settings.setText(field, QString());
}

void nicSelectionLeaveSelection(BuildSettings& settings) {
    settings.setText(PageValue::NicDriver, settings.text(PageValue::NicSelection));
    settings.setText(PageValue::NicEntry, NicCatalogue::otherHaveDisk());
}

void nicSelectionFromDriver(BuildSettings& settings) {
    const QString driver = settings.text(PageValue::NicDriver);
    if (settings.text(PageValue::NicSelection).isEmpty() &&
        driver != BuildSettings().text(PageValue::NicDriver)) {
        settings.setText(PageValue::NicSelection, driver);
        settings.setText(PageValue::NicEntry, NicCatalogue::otherHaveDisk());
    }
}

Check nicParametersNext(const BuildSettings& settings) {
    if (settings.itemText(PageValue::NicIrq).isEmpty() || settings.text(PageValue::NicPort).isEmpty())
        return refuse(QStringLiteral("You must specify a valid IRQ and Port Address."), Dialogs::Icon::Error);
    return {};
}

Check multicastClientNext(const BuildSettings& settings) {
    const QString name = settings.text(PageValue::MulticastName);
    if (name == QLatin1String("Not Specified") || name.isEmpty())
        return refuse(QStringLiteral("You must specify a client name."));
    if (isNoAddress(settings.text(PageValue::MulticastIp)))
        return refuse(QStringLiteral("You must specify a valid IP Address."));
    if (isNoAddress(settings.text(PageValue::MulticastMask)))
        return refuse(QStringLiteral("You must specify a valid Sub Net Mask."));
    if (Check refused =
            addressInRange(settings, PageValue::MulticastIp, QStringLiteral("Unique Client IP Address")))
        return refused;
    return addressInRange(settings, PageValue::MulticastMask, QStringLiteral("Client Sub Net Mask"));
}

Check multicastClientAddress(const BuildSettings& settings) {
    // Without the page there is no untouched field: zeros in any writing are no address.
    const QString ip = settings.text(PageValue::MulticastIp);
    const bool zeros = AddressText::isMaskedAddress(ip) &&
                       std::none_of(ip.cbegin(), ip.cend(), [](QChar c) { return c >= u'1' && c <= u'9'; });
    if (isNoAddress(ip) || zeros)
        return refuse(QStringLiteral("You must specify a valid IP Address."));
    return addressInRange(settings, PageValue::MulticastIp, QStringLiteral("Unique Client IP Address"));
}

Check postConfigurationNext(const BuildSettings& settings) {
    if (!settings.isChecked(PageValue::PostOn))
        return {};
    if (settings.isChecked(PageValue::PostIpSet)) {
        if (Check refused = addressInRange(settings, PageValue::PostIp, QStringLiteral("IP Address")))
            return refused;
    }
    if (settings.isChecked(PageValue::PostMaskSet))
        return addressInRange(settings, PageValue::PostMask, QStringLiteral("Sub Net Mask"));
    return {};
}

Check microsoftStandaloneNext(const BuildSettings& settings) {
    if (Check refused = addressInRange(settings, PageValue::MicrosoftIp, QStringLiteral("IP Address")))
        return refused;
    if (Check refused = addressInRange(settings, PageValue::MicrosoftMask, QStringLiteral("Sub Net Mask")))
        return refused;
    return computerName(settings.text(PageValue::MicrosoftName), QStringLiteral("Computer Name"));
}

Check computerName(const QString& text, const QString& label) {
    // Judged as written: the diskette gets the name without the blanks around it. An empty name
    // would give SYSTEM.INI "computername=", and the client would not join the network.
    const QString name = text.trimmed();
    if (name.isEmpty())
        return refuse(QStringLiteral("You must specify a %1.").arg(label));
    const QString problem = HostList::nameProblem(name, HostList::Names::ComputerName);
    if (problem.isEmpty())
        return {};
    return refuse(QStringLiteral("%1: %2.").arg(label, problem));
}

Check addressInRange(const BuildSettings& settings, QLatin1String field, const QString& label) {
    const QString text = settings.text(field);
    if (!AddressText::hasGroupAbove255(text))
        return {};
    const QString shown = QString(text).remove(QLatin1Char(' '));
    return refuse(QStringLiteral("%1: %2 is no address. Each of its four numbers must be from 0 to 255.")
                      .arg(label, shown));
}

void multicastClientLeaveName(BuildSettings& settings) {
    settings.setText(PageValue::MulticastNameCopy, settings.text(PageValue::MulticastName));
}

Check standaloneParametersNext(const BuildSettings& settings) {
    if (settings.itemText(PageValue::StandaloneNos).isEmpty())
        return refuse(QStringLiteral("You must specify a NOS."));
    return {};
}

bool clientOnFloppy(const QString& nos) {
    // Any item that names a floppy, in any case, as the page has always read it.
    return nos.toUpper().contains(QLatin1String("FLOPPY"));
}

bool twoDiskettes(const BuildSettings& settings) {
    return settings.buildMode() == BuildMode::Microsoft &&
           clientOnFloppy(settings.itemText(PageValue::StandaloneNos));
}

Check netwareNext(const BuildSettings& settings) {
    if (settings.itemText(PageValue::NetwareFrame).isEmpty())
        return refuse(QStringLiteral("You must specify a Frame Type."));
    return {};
}

int wizardPosition(const QString& nameOrAlias) {
    static const QList<PageId> route{PageId::ClientLocation,    PageId::StandaloneParameters,
                                     PageId::NetWare,           PageId::MicrosoftStandalone,
                                     PageId::NicSelection,      PageId::NicParameters,
                                     PageId::MulticastClient,   PageId::PostConfiguration,
                                     PageId::SaveConfiguration, PageId::DisketteLocation};
    static const QStringList order = [] {
        QStringList names;
        for (PageId page : route)
            names << WizardFlow::className(page);
        return names;
    }();
    const QString name = SettingsTable::resolve(nameOrAlias);
    return int(order.indexOf(name.left(name.indexOf(QLatin1Char('.')))));
}

std::optional<BuildMode> buildModeOnShow(PageId page) {
    if (page == PageId::NetWare)
        return BuildMode::NetWare;
    if (page == PageId::MicrosoftStandalone)
        return BuildMode::Microsoft;
    return std::nullopt;
}

Check next(PageId page, const BuildSettings& settings, DosFs& fs) {
    switch (page) {
    case PageId::ClientLocation:
        return clientLocationNext(settings, fs);
    case PageId::StandaloneParameters:
        return standaloneParametersNext(settings);
    case PageId::NetWare:
        return netwareNext(settings);
    case PageId::NicSelection:
        return nicSelectionNext(settings, fs);
    case PageId::NicParameters:
        return nicParametersNext(settings);
    case PageId::MulticastClient:
        return multicastClientNext(settings);
    case PageId::PostConfiguration:
        return postConfigurationNext(settings);
    case PageId::MicrosoftStandalone:
        return microsoftStandaloneNext(settings);
    default:
        return {};
    }
}

Check checkRoute(BuildSettings& settings, DosFs& fs) {
    const BuildMode outright = settings.buildMode();
    PageId page = PageId::ClientLocation;
    // Each page is passed once; the bound only guards against a route that would loop.
    for (int steps = 0; page != PageId::Build && steps < 32; ++steps) {
        if (const std::optional<BuildMode> mode = buildModeOnShow(page))
            settings.setBuildMode(*mode);
        if (Check refused = next(page, settings, fs))
            return refused;
        const QString nos = settings.itemText(PageValue::StandaloneNos);
        if (page == PageId::StandaloneParameters &&
            (outright == BuildMode::Microsoft || outright == BuildMode::NoNetwork)) {
            page = outright == BuildMode::Microsoft ? PageId::MicrosoftStandalone : PageId::Summary;
            continue;
        }
        const WizardFlow::Next step = WizardFlow::next(page, settings.buildMode(), nos);
        if (!step.message.isEmpty())
            return refuse(step.message);
        settings.setBuildMode(step.buildMode);
        page = step.target;
    }
    return {};
}

} // namespace PageRules
