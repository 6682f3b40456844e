// The pause: a monotonic clock (no 32-bit tick count that wraps after 49 days) and the event loop.
#include "app/Wait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace talpo {

void Wait(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    // A timer due just after the end wakes the loop, so waiting for events can never outlast the pause.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    do {
        const qint64 left = milliseconds - clock.elapsed();
        if (left >= 0) {
            wake.start(static_cast<int>(left) + 1);
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        } else {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        }
    } while (clock.elapsed() <= milliseconds);
}

}  // namespace talpo
