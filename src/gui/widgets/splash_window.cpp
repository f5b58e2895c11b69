#include "gui/widgets/splash_window.h"

#include "gui/widgets/app_resources.h"
#include "platform/delay.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTimer>

namespace {
constexpr int kWidth = 515;
constexpr int kHeight = 266;
} // namespace

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    initAppResources();
    setObjectName(QStringLiteral("Tsplash"));
    setFixedSize(kWidth, kHeight);

    auto* image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setGeometry(0, 0, kWidth, kHeight);
    image1->setPixmap(appPicture(QStringLiteral("splash"), size()));

    m_version = new QLabel(this);
    m_version->setObjectName(QStringLiteral("Label1"));
    m_version->setGeometry(0, kHeight - 36, kWidth, 28);
    m_version->setAlignment(Qt::AlignCenter);
    m_version->setStyleSheet(QStringLiteral("color: white; background: transparent;"));

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setSingleShot(true);
    // A coarse timer may fire up to 5 % early or late: the splash is to stand for its time.
    m_timer->setTimerType(Qt::PreciseTimer);
}

void SplashWindow::run(const QString& versionText, int durationMs) {
    m_version->setText(versionText);
    show();
    raise();
    repaint();
    m_timer->start(static_cast<int>(durationMs * delayPacing()));
    while (m_timer->isActive())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    hide();
}
