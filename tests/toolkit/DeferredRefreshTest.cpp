#include <gtest/gtest.h>

#include "support/GuiApplication.h"
#include "toolkit/DeferredRefresh.h"

#include <QElapsedTimer>
#include <QTest>

#include <thread>

namespace velmora {
namespace {

using namespace std::chrono_literals;

constexpr int kIntervalMs = 60;

// Each Suspend starts the wait again: a refresh comes once, a whole
// interval after the last change, and never sooner. Cancel and RefreshNow
// both end the suspension, only the latter with a refresh.
TEST(DeferredRefresh, RefreshesOnceAWholeIntervalAfterTheLastSuspend)
{
    test::NeedsGuiApplication app;
    int refreshes = 0;
    qint64 refreshedAtMs = -1;
    QElapsedTimer clock;
    DeferredRefresh refresh(kIntervalMs, [&] {
        ++refreshes;
        refreshedAtMs = clock.elapsed();
    });

    clock.start();
    refresh.Suspend();
    // Time passes with no events handled, so the first wait cannot end
    // before the second Suspend, however loaded the machine.
    std::this_thread::sleep_for(40ms);
    const qint64 lastSuspendMs = clock.elapsed();
    refresh.Suspend();
    EXPECT_TRUE(refresh.Suspended());
    ASSERT_TRUE(QTest::qWaitFor([&] { return refreshes > 0; }, 2000));
    EXPECT_GE(refreshedAtMs, lastSuspendMs + kIntervalMs) << "the wait restarts and is never cut short";
    EXPECT_FALSE(refresh.Suspended());
    test::RunEventLoopFor(3 * std::chrono::milliseconds(kIntervalMs));
    EXPECT_EQ(refreshes, 1);

    refresh.Suspend();
    refresh.Cancel();
    EXPECT_FALSE(refresh.Suspended());
    test::RunEventLoopFor(2 * std::chrono::milliseconds(kIntervalMs));
    EXPECT_EQ(refreshes, 1) << "a cancelled wait does not refresh";

    refresh.Suspend();
    refresh.RefreshNow();
    EXPECT_EQ(refreshes, 2);
    EXPECT_FALSE(refresh.Suspended());
    test::RunEventLoopFor(2 * std::chrono::milliseconds(kIntervalMs));
    EXPECT_EQ(refreshes, 2) << "refreshing now drops the pending wait";
}

}  // namespace
}  // namespace velmora
