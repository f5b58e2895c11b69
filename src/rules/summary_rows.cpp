#include "rules/summary_rows.h"

#include "settings/build_settings.h"
#include "settings/page_values.h"

namespace SummaryRows {

namespace {

using Row = SummaryRow;

QString trimmedText(const BuildSettings& s, QLatin1String name) {
    return s.text(name).trimmed();
}
QString chosenItem(const BuildSettings& s, QLatin1String name) {
    return s.itemText(name).trimmed();
}
bool checked(const BuildSettings& s, QLatin1String name) {
    return s.isChecked(name);
}

bool oneOf(const QString& label, std::initializer_list<const char*> labels) {
    for (const char* l : labels) {
        if (label == QLatin1String(l))
            return true;
    }
    return false;
}

// The tab of the Microsoft standalone page that holds the value of a summary row.
QString microsoftTab(const QString& label) {
    if (oneOf(label, {"IP ADDRESS", "SUB NET MASK"}))
        return QStringLiteral("IP Address / Sub Net Mask");
    if (label == QLatin1String("SERVER DRIVE"))
        return QStringLiteral("Server Drive");
    if (label == QLatin1String("COMPUTER NAME"))
        return QStringLiteral("Computer Name");
    if (oneOf(label, {"WORKGROUP", "DOMAIN"}))
        return QStringLiteral("Workgroup / Domain");
    if (label == QLatin1String("LOGIN NAME"))
        return QStringLiteral("Login Name");
    return {};
}

} // namespace

QList<SummaryRow> operation(const BuildSettings& s) {
    QList<Row> rows;
    const BuildMode mode = s.buildMode();
    switch (mode) {
    case BuildMode::Multicast:
        rows << Row{"MODE", "Multicast"} << Row{"CLIENT NAME", trimmedText(s, PageValue::MulticastName)}
             << Row{"IP ADDRESS", trimmedText(s, PageValue::MulticastIp)}
             << Row{"SUB NET MASK", trimmedText(s, PageValue::MulticastMask)};
        break;
    case BuildMode::NetWare:
        rows << Row{"MODE", "Standalone"} << Row{"NOS", chosenItem(s, PageValue::StandaloneNos)}
             << Row{"FRAME TYPE", chosenItem(s, PageValue::NetwareFrame)};
        if (checked(s, PageValue::NetwareMapOn))
            rows << Row{"MAP DRIVE", chosenItem(s, PageValue::NetwareMapDrive) +
                                         trimmedText(s, PageValue::NetwareMapPath)};
        if (checked(s, PageValue::NetwareLoginOn))
            rows << Row{"LOGIN DRIVE", chosenItem(s, PageValue::NetwareLoginDrive)}
                 << Row{"LOGIN NAME", trimmedText(s, PageValue::NetwareLoginName)};
        break;
    case BuildMode::Microsoft:
        rows << Row{"MODE", "Standalone"} << Row{"NOS", chosenItem(s, PageValue::StandaloneNos)}
             << Row{"LOGIN NAME", trimmedText(s, PageValue::MicrosoftLoginName)}
             << Row{"IP ADDRESS", trimmedText(s, PageValue::MicrosoftIp)}
             << Row{"SUB NET MASK", trimmedText(s, PageValue::MicrosoftMask)}
             << Row{"SERVER DRIVE", chosenItem(s, PageValue::MicrosoftServerDrive) +
                                        trimmedText(s, PageValue::MicrosoftServerShare)}
             << Row{checked(s, PageValue::MicrosoftGroupWorkgroup) ? "WORKGROUP" : "DOMAIN",
                    trimmedText(s, PageValue::MicrosoftGroup)}
             << Row{"COMPUTER NAME", trimmedText(s, PageValue::MicrosoftName)};
        break;
    case BuildMode::NoNetwork:
        rows << Row{"NIC", trimmedText(s, PageValue::NicSelection)};
        break;
    default:
        break;
    }

    // The file the build copies, whichever way it was chosen: the catalogue's name alone does not say.
    if (mode != BuildMode::NoNetwork)
        rows << Row{"NIC DRIVER", trimmedText(s, PageValue::NicDriver)};
    if (checked(s, PageValue::NicPnpOff) && mode != BuildMode::NoNetwork)
        rows << Row{"HARDWARE", "Non-PnP"} << Row{"IRQ", chosenItem(s, PageValue::NicIrq)}
             << Row{"IO PORT", trimmedText(s, PageValue::NicPort)};
    else
        rows << Row{"HARDWARE", mode == BuildMode::NoNetwork ? "None" : "Plug and Play"};
    return rows;
}

QList<SummaryRow> postConfiguration(const BuildSettings& s) {
    QString group = QStringLiteral("WORKGROUP/DOMAIN");
    if (checked(s, PageValue::PostGroupWorkgroup))
        group = QStringLiteral("WORKGROUP");
    else if (checked(s, PageValue::PostGroupDomain))
        group = QStringLiteral("DOMAIN");
    const QString sameAsImage(SameAsImage);
    return {
        Row{"COMPUTER NAME", trimmedText(s, PageValue::PostName)},
        Row{group, trimmedText(s, PageValue::PostGroup)},
        Row{"LOGIN NAME", trimmedText(s, PageValue::PostLoginName)},
        Row{"IP ADDRESS", checked(s, PageValue::PostIpSet) ? trimmedText(s, PageValue::PostIp) : sameAsImage},
        Row{"SUB NET MASK",
            checked(s, PageValue::PostMaskSet) ? trimmedText(s, PageValue::PostMask) : sameAsImage},
    };
}

std::optional<SummaryTarget> operationTarget(const QString& label, BuildMode mode) {
    if (label == QLatin1String("MODE"))
        return SummaryTarget{PageId::Main, {}};
    if (oneOf(label, {"HARDWARE", "IRQ", "IO PORT"}))
        return SummaryTarget{PageId::NicParameters, {}};
    if (label == QLatin1String("NOS"))
        return SummaryTarget{PageId::StandaloneParameters, {}};
    if (oneOf(label, {"NIC", "NIC DRIVER"}))
        return SummaryTarget{PageId::NicSelection, {}};
    if (mode == BuildMode::Multicast && oneOf(label, {"CLIENT NAME", "IP ADDRESS", "SUB NET MASK"}))
        return SummaryTarget{PageId::MulticastClient, {}};
    if (mode == BuildMode::NetWare && oneOf(label, {"FRAME TYPE", "MAP DRIVE", "LOGIN DRIVE", "LOGIN NAME"}))
        return SummaryTarget{PageId::NetWare, {}};
    if (mode == BuildMode::Microsoft && !microsoftTab(label).isEmpty())
        return SummaryTarget{PageId::MicrosoftStandalone, microsoftTab(label)};
    return std::nullopt;
}

SummaryTarget postConfigurationTarget(const QString& label) {
    QString tab;
    if (label == QLatin1String("COMPUTER NAME"))
        tab = QStringLiteral("Computer Name");
    else if (oneOf(label, {"WORKGROUP", "DOMAIN", "WORKGROUP/DOMAIN"}))
        tab = QStringLiteral("Workgroup / Domain");
    else if (label == QLatin1String("LOGIN NAME"))
        tab = QStringLiteral("Login Name");
    else if (label == QLatin1String("IP ADDRESS"))
        tab = QStringLiteral("IP Address");
    else if (label == QLatin1String("SUB NET MASK"))
        tab = QStringLiteral("Sub Net Mask");
    return {PageId::PostConfiguration, tab};
}

} // namespace SummaryRows
