// The pause: events are handled during it, at least once, and it lasts longer than asked.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>

#include "app/Wait.h"

namespace talpo {
namespace {

TEST(Wait, ZeroStillProcessesPendingEventsOnce) {
    for (const int milliseconds : {0, -5}) {
        int ran = 0;
        QTimer::singleShot(0, [&] { ++ran; });
        Wait(milliseconds);
        EXPECT_EQ(ran, 1) << milliseconds;
    }
}

TEST(Wait, LastsLongerThanAskedAndHandlesEventsOnTheWay) {
    QElapsedTimer clock;
    clock.start();
    qint64 firedAt = -1;
    QTimer::singleShot(3, [&] { firedAt = clock.elapsed(); });
    Wait(15);
    const qint64 returnedAt = clock.elapsed();
    EXPECT_GT(returnedAt, 15);
    // The timer was handled inside the pause. No upper bound on the times: a loaded machine or a
    // sanitizer build may run late, and that is no fault of the pause.
    EXPECT_GE(firedAt, 3);
    EXPECT_LE(firedAt, returnedAt);
}

}  // namespace
}  // namespace talpo
