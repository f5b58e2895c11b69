#include "gui/pages/control_binding.h"

#include "gui/widgets/address_edit.h"
#include "settings/build_settings.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

// The control a value of the table names on this page, or nullptr when the value is another page's.
QWidget* controlOf(const QWidget* page, const QString& name) {
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (name.left(dot) != page->objectName())
        return nullptr;
    return page->findChild<QWidget*>(name.mid(dot + 1));
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

namespace ControlBinding {

void read(const QWidget* page, BuildSettings& s) {
    for (const ValueSpec& entry : SettingsTable::values()) {
        QWidget* w = controlOf(page, entry.name);
        if (!w)
            continue;
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
}

void write(QWidget* page, const BuildSettings& s, bool quiet) {
    for (const ValueSpec& entry : SettingsTable::values()) {
        QWidget* w = controlOf(page, entry.name);
        if (!w)
            continue;
        const QSignalBlocker blocker(quiet ? w : nullptr);
        switch (entry.kind) {
        case ValueKind::Text:
            if (auto* e = qobject_cast<QLineEdit*>(w); e && e->text() != s.text(entry.name))
                e->setText(s.text(entry.name));
            break;
        case ValueKind::DottedQuad:
            if (auto* a = qobject_cast<AddressEdit*>(w); a && a->value() != s.text(entry.name))
                a->setValue(s.text(entry.name));
            break;
        case ValueKind::Check:
            if (auto* b = qobject_cast<QAbstractButton*>(w))
                b->setChecked(s.isChecked(entry.name));
            break;
        case ValueKind::Radio:
            if (auto* b = qobject_cast<QAbstractButton*>(w))
                setRadio(b, s.isChecked(entry.name));
            break;
        case ValueKind::Index:
            if (auto* c = qobject_cast<QComboBox*>(w))
                c->setCurrentIndex(s.index(entry.name));
            break;
        case ValueKind::ComboText:
            if (auto* c = qobject_cast<QComboBox*>(w))
                c->setCurrentText(s.text(entry.name));
            break;
        }
    }
}

} // namespace ControlBinding
