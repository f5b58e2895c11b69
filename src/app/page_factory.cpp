#include "app/page_factory.h"

#include "app/main_window.h"
#include "app/wizard.h"
#include "build/build_page.h"
#include "pages/client_location_page.h"
#include "pages/diskette_location_page.h"
#include "pages/nic_parameters_page.h"
#include "pages/nic_selection_page.h"
#include "pages/summary_page.h"
#include "pages/wizard_page.h"

QWidget* createForm(Wizard& wizard, PageId id) {
    switch (id) {
    case PageId::Main:
        return new MainWindow(wizard);
    case PageId::ClientLocation: return new TForm11(wizard);
    case PageId::NicSelection: return new TForm4(wizard);
    case PageId::NicParameters: return new TForm7(wizard);
    case PageId::DisketteLocation: return new TForm2(wizard);
    case PageId::Summary: return new TForm8(wizard);
    case PageId::Build: return new TForm3(wizard);
    default:
        // A page that has no class of its own yet: an empty page with the wizard's buttons.
        return new WizardPage(wizard, id);
    }
}
