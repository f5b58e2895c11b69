#pragma once

#include "gui/pages/page_host.h"
#include "platform/dialogs.h"
#include "platform/help.h"
#include "rules/host_queue.h"
#include "rules/show_steps.h"

#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

class Clock;

// The running program: the main window and every page, created once and only shown and hidden,
// BuildMode, and the ports every page uses. Pages reach it only as their PageHost.
class Wizard : public QObject, public PageHost {
    Q_OBJECT
public:
    Wizard(Dialogs& dialogs, Help& help, const Clock& clock, QString programDir, QObject* parent = nullptr);
    ~Wizard() override;

    // Creates the main window and the pages in the program's order of creation.
    void createForms();

    QWidget* form(PageId id) const override { return m_forms.value(id); }
    template <class T> T* form(PageId id) const { return qobject_cast<T*>(m_forms.value(id)); }
    // A control of a page by the names the program uses: control("TForm6", "Edit1").
    QWidget* control(const QString& formClass, const QString& controlName) const;

    BuildMode buildMode() const override { return m_buildMode; }
    void setBuildMode(BuildMode mode) override { m_buildMode = mode; }

    Dialogs& dialogs() override { return m_dialogs; }
    Help& help() override { return m_help; }
    const Clock& clock() const override { return m_clock; }
    const QString& programDir() const override { return m_programDir; }
    // The drive table as PCBW.INI says now (read at each call: nothing is cached).
    DriveTable drives() const override;

    // Every page value and BuildMode, read from the controls.
    BuildSettings collect() const override;
    // Sets every page value and BuildMode from the settings (a loaded configuration).
    void apply(const BuildSettings& settings) override;

    // The chosen item of the Standalone Parameters page, which some routes depend on.
    QString chosenNos() const override;

    HostQueue& hosts() override { return m_hosts; }
    AdvanceDue& advanceDue() override { return m_advanceDue; }

    // Hides `from` (when given) and shows the target; the main window for PageId::Main.
    void go(QWidget* from, PageId to) override;
    void showMain(QWidget* from = nullptr) override;

Q_SIGNALS:
    // A page was shown through go(); tests wait on it.
    void pageShown(PageId id);

private:
    Dialogs& m_dialogs;
    Help& m_help;
    const Clock& m_clock;
    QString m_programDir;
    BuildMode m_buildMode = BuildMode::Multicast;
    QMap<PageId, QPointer<QWidget>> m_forms;
    HostQueue m_hosts;
    AdvanceDue m_advanceDue;
};
