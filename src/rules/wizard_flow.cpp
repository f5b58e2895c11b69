#include "rules/wizard_flow.h"

namespace {

struct PageInfo {
    PageId id;
    const char* className;
    const char* caption;
    int helpContext;
};

constexpr PageInfo kPages[] = {
    {PageId::Main, "TForm1", "Pellacore Bootwright", 500},
    {PageId::ClientLocation, "TForm11", "Select Pellacore Client", 503},
    {PageId::StandaloneParameters, "TForm9", "Standalone Parameters", 611},
    {PageId::NetWare, "TForm21", "Novell NetWare Pull Mode Parameters", 612},
    {PageId::MicrosoftStandalone, "TForm40", "Microsoft Standalone Parameters", 550},
    {PageId::NicSelection, "TForm4", "Select NIC", 610},
    {PageId::NicParameters, "TForm7", "NIC Parameters", 504},
    {PageId::MulticastClient, "TForm6", "Client Boot Diskette Operation", 507},
    {PageId::PostConfiguration, "TForm99", "Post Configuration Parameters", 551},
    {PageId::Summary, "TForm8", "Client Diskette Parameters", 508},
    {PageId::SaveConfiguration, "TForm13", "Save Configuration", 509},
    {PageId::LoadConfiguration, "TForm12", "Load Configuration", 501},
    {PageId::DisketteLocation, "TForm2", "Diskette Location", 510},
    {PageId::Build, "TForm3", "Create Client Diskette", 511},
};

const PageInfo& info(PageId id) {
    for (const PageInfo& p : kPages)
        if (p.id == id)
            return p;
    return kPages[0];
}

} // namespace

namespace WizardFlow {

QString className(PageId page) {
    return QString::fromLatin1(info(page).className);
}
QString caption(PageId page) {
    return QString::fromLatin1(info(page).caption);
}
int helpContext(PageId page) {
    return info(page).helpContext;
}

PageId back(PageId from, BuildMode buildMode, const QString& nos) {
    switch (from) {
    case PageId::ClientLocation:
        return PageId::Main;
    case PageId::StandaloneParameters:
        return PageId::ClientLocation;
    case PageId::NetWare:
    case PageId::MicrosoftStandalone:
        return PageId::StandaloneParameters;
    case PageId::NicSelection:
        return buildMode == BuildMode::NetWare     ? PageId::NetWare
               : buildMode == BuildMode::Microsoft ? PageId::MicrosoftStandalone
                                                   : PageId::ClientLocation;
    case PageId::NicParameters:
        return PageId::NicSelection;
    case PageId::MulticastClient:
        return PageId::NicParameters;
    case PageId::PostConfiguration:
        return PageId::MulticastClient;
    case PageId::Summary:
        if (buildMode == BuildMode::Multicast)
            return PageId::PostConfiguration;
        return nos == QLatin1String("Novell Netware 3.12 or higher") ? PageId::NicParameters
                                                                     : PageId::StandaloneParameters;
    case PageId::DisketteLocation:
        return PageId::Summary;
    case PageId::Build:
        return PageId::DisketteLocation;
    case PageId::SaveConfiguration:
        return PageId::Summary;
    case PageId::Main:
    case PageId::LoadConfiguration:
        return PageId::Main;
    }
    return PageId::Main;
}

Next next(PageId from, BuildMode buildMode, const QString& nos) {
    Next n;
    n.buildMode = buildMode;
    switch (from) {
    case PageId::ClientLocation:
        n.target = buildMode == BuildMode::Multicast ? PageId::NicSelection : PageId::StandaloneParameters;
        break;
    case PageId::StandaloneParameters:
        // The three prefixes are tried one after another; the items are such that one matches.
        if (nos.left(6) == QLatin1String("Novell")) {
            n.buildMode = BuildMode::NetWare;
            n.target = PageId::NetWare;
        }
        if (nos.left(9) == QLatin1String("Microsoft")) {
            n.buildMode = BuildMode::Microsoft;
            n.target = PageId::MicrosoftStandalone;
        }
        if (nos.left(10) == QLatin1String("No Network")) {
            n.buildMode = BuildMode::NoNetwork;
            n.target = PageId::Summary;
        }
        if (n.target == PageId::Main)
            n.message = QStringLiteral("You must specify a NOS.");
        break;
    case PageId::NetWare:
    case PageId::MicrosoftStandalone:
        n.target = PageId::NicSelection;
        break;
    case PageId::NicSelection:
        n.target = PageId::NicParameters;
        break;
    case PageId::NicParameters:
        n.target = (buildMode == BuildMode::NetWare || buildMode == BuildMode::Microsoft)
                       ? PageId::Summary
                       : PageId::MulticastClient;
        break;
    case PageId::MulticastClient:
        n.target = PageId::PostConfiguration;
        break;
    case PageId::PostConfiguration:
        n.target = PageId::Summary;
        break;
    case PageId::Summary:
        n.target = PageId::DisketteLocation;
        break;
    case PageId::DisketteLocation:
        n.target = PageId::Build;
        break;
    case PageId::LoadConfiguration:
        n.target = PageId::ClientLocation;
        break;
    case PageId::SaveConfiguration:
        n.target = PageId::Summary;
        break;
    case PageId::Main:
    case PageId::Build:
        n.target = from;
        break;
    }
    return n;
}

QString cancelQuestion(PageId page) {
    if (page == PageId::StandaloneParameters || page == PageId::NetWare)
        return QStringLiteral("You will loose all selections! ");
    return QStringLiteral("You will lose all selections! ");
}

} // namespace WizardFlow
