#pragma once

// For widget tests only (they link bootwright_gui): the whole program with scripted dialogs, a
// recording help port and a fixed clock, on a program directory of the test's own.

#include "fixed_clock.h"
#include "gui/pages/wizard_page.h"
#include "gui/shell/wizard.h"
#include "platform/delay.h"
#include "recording_help.h"
#include "scripted_dialogs.h"
#include "test_env.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

// PCBW.INI's [CONFIG] section with every hint switched off but the one numbered keptOn (1 to 5):
// a hint is a modal dialog that waits for a click, so only a test about it lets it come up.
inline QByteArray hintSwitches(int keptOn = 0) {
    QByteArray out = "[CONFIG]\r\n";
    for (int hint = 1; hint <= 5; ++hint)
        out += "ShowHint" + QByteArray::number(hint) + (hint == keptOn ? "=1\r\n" : "=0\r\n");
    return out;
}
inline const QByteArray kAllHintsOff = hintSwitches();

// A check box or radio button clicked as a person clicks it: on its box, at the left (a button
// stretched by its layout takes no click on the empty space right of its text).
inline void clickChoice(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

struct GuiFixture {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    RecordingHelp help;
    FixedClock clock;
    std::unique_ptr<Wizard> wizard;

    // Lays out PCBW.INI (when given) and creates every form, as the program does at start-up.
    explicit GuiFixture(const QByteArray& pcbwIni = {}) {
        setDelayPacing(0);
        if (!pcbwIni.isEmpty())
            TestEnv::writeHostFile(dir.path() + QStringLiteral("/PCBW.INI"), pcbwIni);
        wizard = std::make_unique<Wizard>(dialogs, help, clock, dir.path());
        wizard->createForms();
    }
    QString path(const QString& rel) const { return dir.path() + QLatin1Char('/') + rel; }
    template <class T = QWidget> T* control(const QString& form, const QString& name) const {
        return qobject_cast<T*>(wizard->control(form, name));
    }

    // Cancel on a wizard page as a user meets it, with no box shown before: the question "You will
    // lose all selections! " with OK and Cancel; answered Cancel the page stays up, answered OK it
    // gives way to the main window.
    void cancelToMain(WizardPage* page) {
        dialogs.answer(Dialogs::Button::Cancel);
        QTest::mouseClick(page->cancelButton(), Qt::LeftButton);
        QVERIFY(page->isVisible());
        QTest::mouseClick(page->cancelButton(), Qt::LeftButton);
        QCOMPARE(dialogs.texts(), QStringList(2, QStringLiteral("You will lose all selections! ")));
        for (const ScriptedDialogs::Shown& box : dialogs.shown())
            QCOMPARE(box.buttons, Dialogs::Buttons::OkCancel);
        QVERIFY(!page->isVisible());
        QVERIFY(wizard->form(PageId::Main)->isVisible());
    }
};
