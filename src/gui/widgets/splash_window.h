#pragma once

#include <QWidget>

class QLabel;
class QTimer;

// Splash window (Tsplash): the product picture with the version text near its bottom edge, shown
// borderless and on top for a moment while the program starts.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDurationMs = 2500;

    explicit SplashWindow(QWidget* parent = nullptr);

    // Shows the splash with the version text, processes events until its timer has run out (the
    // duration is scaled by delayPacing(), so tests and the gallery run it at zero), then hides it.
    void run(const QString& versionText, int durationMs = kDurationMs);

    QLabel* versionLabel() const { return m_version; }
    QTimer* timer() const { return m_timer; }

private:
    QLabel* m_version;
    QTimer* m_timer;
};
