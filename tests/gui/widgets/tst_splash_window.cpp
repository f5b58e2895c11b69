#include "gui/widgets/app_resources.h"
#include "gui/widgets/splash_window.h"
#include "platform/delay.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <QtTest>

class TestSplashWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsVersionThenGoes() {
        setDelayPacing(0);
        SplashWindow splash;
        QCOMPARE(splash.size(), QSize(515, 266));
        QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(splash.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(SplashWindow::kDurationMs, 2500);
        bool shownWithText = false;
        QTimer::singleShot(0, &splash, [&] {
            shownWithText = splash.isVisible() && splash.versionLabel()->text() == versionText();
        });
        setDelayPacing(1);
        splash.run(versionText(), 50); // the event above runs while the splash is up
        setDelayPacing(0);
        QVERIFY(shownWithText);
        QVERIFY(!splash.isVisible());
        QVERIFY(!splash.timer()->isActive());
        QVERIFY(versionText().contains(QStringLiteral(BW_VERSION)));
    }

    void durationFollowsPacing() {
        setDelayPacing(0.01); // 2500 ms become 25
        SplashWindow splash;
        QElapsedTimer clock;
        clock.start();
        splash.run(versionText());
        QVERIFY(clock.elapsed() >= 20);
        QVERIFY(clock.elapsed() < 2000);
        setDelayPacing(0);
    }
};

QTEST_MAIN(TestSplashWindow)
#include "tst_splash_window.moc"
