#pragma once

// For a page test about one page's wiring: the program around the page without the wizard. Moves
// are recorded (and the page shown or hidden), the values are the page's controls over `others`
// (the defaults until set or applied), and the ports are the scripted ones of the other widget
// tests.

#include "fixed_clock.h"
#include "gui/pages/control_binding.h"
#include "gui/pages/page_host.h"
#include "gui/pages/wizard_page.h"
#include "platform/delay.h"
#include "recording_help.h"
#include "rules/host_queue.h"
#include "rules/show_steps.h"
#include "scripted_dialogs.h"
#include "test_env.h"

#include <QPointer>
#include <QTemporaryDir>

class PageHostDouble : public PageHost {
public:
    // Lays out PCBW.INI when given.
    explicit PageHostDouble(const QByteArray& pcbwIni = {}) {
        setDelayPacing(0);
        if (!pcbwIni.isEmpty())
            TestEnv::writeHostFile(m_dir.path() + QStringLiteral("/PCBW.INI"), pcbwIni);
    }

    // The one page this host serves; the test owns it.
    void serve(WizardPage* page) { m_page = page; }
    // A page a move from the served one may lead to, for a test that looks at it after the move (a
    // tab brought to the front); its values are not collected.
    void serveTarget(WizardPage* page) { m_targets << page; }

    ScriptedDialogs scripted;
    RecordingHelp recordedHelp;
    BuildMode mode = BuildMode::Multicast;
    QString nos;
    QList<PageId> moves; // each go() and showMain(), in order
    // The values of the pages not served (the served page's controls are read over them).
    BuildSettings others;

    Dialogs& dialogs() override { return scripted; }
    Help& help() override { return recordedHelp; }
    const Clock& clock() const override { return m_clock; }
    const QString& programDir() const override { return m_programDir; }
    DriveTable drives() const override { return DriveTable::load(m_programDir); }
    BuildMode buildMode() const override { return mode; }
    void setBuildMode(BuildMode to) override { mode = to; }
    QString chosenNos() const override { return nos; }

    BuildSettings collect() const override {
        BuildSettings s = others;
        s.setBuildMode(mode);
        if (m_page)
            ControlBinding::read(m_page, s);
        return s;
    }
    void apply(const BuildSettings& settings) override {
        mode = settings.buildMode();
        others = settings;
        if (m_page)
            ControlBinding::write(m_page, settings, false);
    }
    HostQueue& hosts() override { return m_hosts; }
    AdvanceDue& advanceDue() override { return m_advanceDue; }

    QWidget* form(PageId id) const override {
        if (m_page && m_page->pageId() == id)
            return m_page;
        for (WizardPage* target : m_targets) {
            if (target && target->pageId() == id)
                return target;
        }
        return nullptr;
    }
    void go(QWidget* from, PageId to) override {
        if (from)
            from->hide();
        moves << to;
        if (QWidget* target = form(to))
            target->show();
    }
    void showMain(QWidget* from = nullptr) override { go(from, PageId::Main); }

private:
    QTemporaryDir m_dir;
    const QString m_programDir = m_dir.path();
    FixedClock m_clock;
    HostQueue m_hosts;
    AdvanceDue m_advanceDue;
    QPointer<WizardPage> m_page;
    QList<QPointer<WizardPage>> m_targets;
};
