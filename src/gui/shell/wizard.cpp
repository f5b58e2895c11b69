#include "gui/shell/wizard.h"

#include "gui/pages/control_binding.h"
#include "gui/shell/page_factory.h"
#include "settings/page_values.h"

namespace {

// The order in which the program creates its windows.
constexpr PageId kCreationOrder[] = {
    PageId::Main,
    PageId::DisketteLocation,
    PageId::Build,
    PageId::NicSelection,
    PageId::MulticastClient,
    PageId::Summary,
    PageId::NicParameters,
    PageId::ClientLocation,
    PageId::StandaloneParameters,
    PageId::LoadConfiguration,
    PageId::SaveConfiguration,
    PageId::NetWare,
    PageId::PostConfiguration,
    PageId::MicrosoftStandalone,
};

} // namespace

Wizard::Wizard(Dialogs& dialogs, Help& help, const Clock& clock, QString programDir, QObject* parent)
    : QObject(parent), m_dialogs(dialogs), m_help(help), m_clock(clock), m_programDir(std::move(programDir)) {
}

Wizard::~Wizard() {
    for (const QPointer<QWidget>& form : std::as_const(m_forms))
        delete form.data();
}

void Wizard::createForms() {
    m_buildMode = BuildMode::Multicast;
    for (PageId id : kCreationOrder) {
        QWidget* form = createForm(*this, id);
        form->setObjectName(WizardFlow::className(id));
        m_forms.insert(id, form);
    }
}

QWidget* Wizard::control(const QString& formClass, const QString& controlName) const {
    for (const QPointer<QWidget>& form : m_forms) {
        if (form && form->objectName() == formClass)
            return form->findChild<QWidget*>(controlName);
    }
    return nullptr;
}

DriveTable Wizard::drives() const {
    return DriveTable::load(m_programDir);
}

BuildSettings Wizard::collect() const {
    BuildSettings s;
    s.setBuildMode(m_buildMode);
    // A page not built yet keeps its values at the defaults.
    for (const QPointer<QWidget>& form : m_forms) {
        if (form)
            ControlBinding::read(form, s);
    }
    return s;
}

void Wizard::apply(const BuildSettings& settings) {
    m_buildMode = settings.buildMode();
    // Loaded values are shown as they were saved; a host of a list goes into them afresh.
    m_advanceDue.clear();
    m_hosts.valuesReplaced();
    // Not quietly: the pages' click rules follow the loaded choices as they follow the user's.
    for (const QPointer<QWidget>& form : std::as_const(m_forms)) {
        if (form)
            ControlBinding::write(form, settings, false);
    }
}

QString Wizard::chosenNos() const {
    BuildSettings s;
    if (QWidget* page = form(PageId::StandaloneParameters))
        ControlBinding::read(page, s);
    return s.itemText(PageValue::StandaloneNos);
}

void Wizard::go(QWidget* from, PageId to) {
    QWidget* target = m_forms.value(to);
    // The next window comes up where the last one stood: the wizard stays in one place on screen.
    if (from && target && from->isVisible() && !target->isVisible())
        target->move(from->pos());
    if (from)
        from->hide();
    if (!target)
        return;
    target->show();
    target->raise();
    target->activateWindow();
    Q_EMIT pageShown(to);
}

void Wizard::showMain(QWidget* from) {
    go(from, PageId::Main);
}
