#include "platform/delay.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <atomic>

namespace {
std::atomic<double> g_pacing{1.0};
}

void setDelayPacing(double factor) {
    g_pacing = factor < 0 ? 0.0 : factor;
}
double delayPacing() {
    return g_pacing;
}

void Delay(int milliseconds) {
    const qint64 wait = static_cast<qint64>(milliseconds * g_pacing.load());
    QElapsedTimer timer;
    timer.start();
    do {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        const qint64 left = wait - timer.elapsed();
        if (left > 0)
            QThread::msleep(static_cast<unsigned long>(qMin<qint64>(left, 10)));
    } while (timer.elapsed() < wait);
}
