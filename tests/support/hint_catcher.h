#pragma once

// For widget tests: answers every hint dialog that comes up while it lives, as a user presses "&OK"
// (after ticking "Don't show this message again." when told to), and keeps what each one showed.
// Any other modal window is closed unanswered, so that it fails the test instead of hanging it.

#include "gui/widgets/hint_dialog.h"
#include "modal_watcher.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

class HintCatcher {
public:
    struct Seen {
        QString key;
        QStringList lines;
    };

    explicit HintCatcher(bool tick = false) : tickDontShow(tick) {
        m_watcher.otherwise([this](QWidget* w) { answer(w); });
    }

    QList<Seen> seen;
    bool tickDontShow;

private:
    void answer(QWidget* w) {
        auto* hint = qobject_cast<HintDialog*>(w);
        if (!hint) {
            ModalWatcher::closeUnanswered(w);
            return;
        }
        seen.append(
            {hint->hintKey(), {hint->label(1)->text(), hint->label(2)->text(), hint->label(3)->text()}});
        if (tickDontShow)
            QTest::mouseClick(hint->dontShowBox(), Qt::LeftButton, {},
                              QPoint(4, hint->dontShowBox()->height() / 2));
        QTest::mouseClick(hint->okButton(), Qt::LeftButton);
    }

    ModalWatcher m_watcher;
};
