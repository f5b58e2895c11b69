#include "gui/shell/page_factory.h"

#include "gui/pages/build_page.h"
#include "gui/pages/client_location_page.h"
#include "gui/pages/diskette_location_page.h"
#include "gui/pages/load_configuration_page.h"
#include "gui/pages/microsoft_standalone_page.h"
#include "gui/pages/multicast_client_page.h"
#include "gui/pages/netware_page.h"
#include "gui/pages/nic_parameters_page.h"
#include "gui/pages/nic_selection_page.h"
#include "gui/pages/post_configuration_page.h"
#include "gui/pages/save_configuration_page.h"
#include "gui/pages/standalone_parameters_page.h"
#include "gui/pages/summary_page.h"
#include "gui/pages/wizard_page.h"
#include "gui/shell/main_window.h"
#include "gui/shell/wizard.h"

QWidget* createForm(Wizard& wizard, PageId id) {
    switch (id) {
    case PageId::Main:
        return new MainWindow(wizard);
    case PageId::ClientLocation:
        return new ClientLocationPage(wizard);
    case PageId::NicSelection:
        return new NicSelectionPage(wizard);
    case PageId::NicParameters:
        return new NicParametersPage(wizard);
    case PageId::DisketteLocation:
        return new DisketteLocationPage(wizard);
    case PageId::Summary:
        return new SummaryPage(wizard);
    case PageId::Build:
        return new BuildPage(wizard);
    case PageId::MulticastClient:
        return new MulticastClientPage(wizard);
    case PageId::PostConfiguration:
        return new PostConfigurationPage(wizard);
    case PageId::StandaloneParameters:
        return new StandaloneParametersPage(wizard);
    case PageId::NetWare:
        return new NetWarePage(wizard);
    case PageId::MicrosoftStandalone:
        return new MicrosoftStandalonePage(wizard);
    case PageId::LoadConfiguration:
        return new LoadConfigurationPage(wizard);
    case PageId::SaveConfiguration:
        return new SaveConfigurationPage(wizard);
    default:
        // A page that has no class of its own yet: an empty page with the wizard's buttons.
        return new WizardPage(wizard, id);
    }
}
