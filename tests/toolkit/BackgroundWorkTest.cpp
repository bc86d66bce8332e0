#include <gtest/gtest.h>

#include <QTimer>

#include <chrono>
#include <future>
#include <stdexcept>
#include <thread>

#include "support/GuiApplication.h"
#include "toolkit/BackgroundWork.h"

namespace velmora {
namespace {

// The work waits for a timer of the waiting thread: it only fires when the
// event loop runs while the work goes on elsewhere.
TEST(BackgroundWork, TheEventLoopRunsWhileTheWorkGoesOnElsewhere)
{
    test::GuiApplication();
    std::promise<void> timerFired;
    QTimer::singleShot(10, [&timerFired] { timerFired.set_value(); });
    const std::thread::id caller = std::this_thread::get_id();
    BackgroundWork work([future = timerFired.get_future()]() mutable {
        const bool fired = future.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
        return std::make_pair(fired, std::this_thread::get_id());
    });
    const auto [sawTimer, workThread] = work.Wait();
    EXPECT_TRUE(sawTimer);
    EXPECT_NE(workThread, caller);
}

// Started work goes on before anyone waits for it, and a result that is
// ready before Wait is called is returned at once.
TEST(BackgroundWork, StartsWhenMadeAndHandsOverWhatItDid)
{
    test::GuiApplication();
    std::promise<void> started;
    std::future<void> running = started.get_future();
    BackgroundWork done([&started] {
        started.set_value();
        return 42;
    });
    ASSERT_EQ(running.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(done.Wait(), 42);

    BackgroundWork failed([]() -> int { throw std::runtime_error("no memory"); });
    EXPECT_THROW(failed.Wait(), std::runtime_error);
}

}  // namespace
}  // namespace velmora
