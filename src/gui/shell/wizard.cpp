#include "gui/shell/wizard.h"

#include "gui/shell/page_factory.h"
#include "gui/widgets/address_edit.h"
#include "settings/page_values.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

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

QPair<QString, QString> splitName(const QString& name) {
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    return {name.left(dot), name.mid(dot + 1)};
}

// Sets a radio button without Qt's auto-exclusion getting in the way: a cleared button is only
// cleared, and selecting one clears the rest of its group (Qt does that part itself).
void setRadio(QAbstractButton* button, bool on) {
    if (on) {
        button->setChecked(true);
        return;
    }
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(exclusive);
}

} // namespace

Wizard::Wizard(Dialogs& dialogs, Help& help, const Clock& clock, QString programDir, QObject* parent)
    : QObject(parent), m_dialogs(dialogs), m_help(help), m_clock(clock), m_programDir(std::move(programDir)) {
}

Wizard::~Wizard() {
    for (const QPointer<QWidget>& form : std::as_const(m_forms))
        delete form.data();
}

void Wizard::createForms() {
    m_buildMode = 1;
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
    for (const ValueSpec& entry : SettingsTable::values()) {
        const auto [formClass, controlName] = splitName(entry.name);
        QWidget* w = control(formClass, controlName);
        if (!w)
            continue; // a page not built yet keeps its value at the default
        switch (entry.kind) {
        case ValueKind::Text:
            if (auto* e = qobject_cast<QLineEdit*>(w))
                s.setText(entry.name, e->text());
            break;
        case ValueKind::DottedQuad:
            if (auto* a = qobject_cast<AddressEdit*>(w))
                s.setText(entry.name, a->value());
            break;
        case ValueKind::Check:
        case ValueKind::Radio:
            if (auto* b = qobject_cast<QAbstractButton*>(w))
                s.setValue(entry.name, b->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
            break;
        case ValueKind::Index:
            if (auto* c = qobject_cast<QComboBox*>(w))
                s.setIndex(entry.name, c->currentIndex());
            break;
        case ValueKind::ComboText:
            if (auto* c = qobject_cast<QComboBox*>(w))
                s.setText(entry.name, c->currentText());
            break;
        }
    }
    return s;
}

void Wizard::apply(const BuildSettings& settings) {
    m_buildMode = settings.buildMode();
    // In table order, so radio groups end as a load leaves them.
    for (const ValueSpec& entry : SettingsTable::values()) {
        const auto [formClass, controlName] = splitName(entry.name);
        QWidget* w = control(formClass, controlName);
        if (!w)
            continue;
        switch (entry.kind) {
        case ValueKind::Text:
            if (auto* e = qobject_cast<QLineEdit*>(w))
                e->setText(settings.text(entry.name));
            break;
        case ValueKind::DottedQuad:
            if (auto* a = qobject_cast<AddressEdit*>(w))
                a->setValue(settings.text(entry.name));
            break;
        case ValueKind::Check:
            if (auto* b = qobject_cast<QAbstractButton*>(w))
                b->setChecked(settings.isChecked(entry.name));
            break;
        case ValueKind::Radio:
            if (auto* b = qobject_cast<QAbstractButton*>(w))
                setRadio(b, settings.isChecked(entry.name));
            break;
        case ValueKind::Index:
            if (auto* c = qobject_cast<QComboBox*>(w))
                c->setCurrentIndex(settings.index(entry.name));
            break;
        case ValueKind::ComboText:
            if (auto* c = qobject_cast<QComboBox*>(w))
                c->setCurrentText(settings.text(entry.name));
            break;
        }
    }
}

QString Wizard::chosenNos() const {
    const auto [formClass, controlName] = splitName(PageValue::StandaloneNos);
    if (auto* c = qobject_cast<QComboBox*>(control(formClass, controlName)))
        return c->currentIndex() >= 0 ? c->itemText(c->currentIndex()) : QString();
    return BuildSettings().itemText(PageValue::StandaloneNos);
}

void Wizard::go(QWidget* from, PageId to) {
    if (from)
        from->hide();
    QWidget* target = m_forms.value(to);
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
