#pragma once

#include "gui/pages/wizard_page.h"
#include "writers/build_view.h"

#include <functional>
#include <memory>

class BuildRun;
class DosFs;
class QLabel;
class QProgressBar;
class QTimer;

// Create Client Diskette page: shows the build's sections, status and progress, and runs the
// build about a second after it comes up.
class BuildPage : public WizardPage, public BuildView {
    Q_OBJECT
public:
    explicit BuildPage(PageHost& host, QWidget* parent = nullptr);
    ~BuildPage() override;

    // What No on "Create Another?" does: end the program. Tests put a recorder in its place.
    void setQuitHandler(std::function<void()> quit) { m_quit = std::move(quit); }

    // BuildView
    void setStatus(const QString& text) override;
    void setGauge(int percent) override;
    void setTickVisible(int image, bool visible) override;
    void setNetworkLabelVisible(bool visible) override;

public Q_SLOTS:
    void back() override;
    void cancel() override;
    void tick();

Q_SIGNALS:
    // Each status text as the run shows it.
    void statusShown(const QString& text);

protected:
    void showPage() override;
    bool event(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // BuildRun::secondDiskette: names the Microsoft build's second diskette when the drive is an
    // image or a directory.
    void askSecondDiskette();

    QLabel* m_panelStatus = nullptr;
    QProgressBar* m_gauge = nullptr;
    QLabel* m_ticks[4] = {}; // Image2 .. Image5
    QLabel* m_networkLabel = nullptr;
    QTimer* m_timer = nullptr;
    std::unique_ptr<DosFs> m_fs;
    std::unique_ptr<BuildRun> m_run;
    std::function<void()> m_quit;
    bool m_startedThisShowing = false;
    bool m_backPending = false; // Back pressed while the run was still finishing
};
