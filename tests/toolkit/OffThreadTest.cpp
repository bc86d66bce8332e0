#include <gtest/gtest.h>

#include <QTimer>

#include <chrono>
#include <future>
#include <stdexcept>
#include <thread>

#include "support/GuiApplication.h"
#include "toolkit/OffThread.h"

namespace velmora {
namespace {

// The work waits for a timer of the calling thread: it only fires when the
// event loop runs while the work goes on elsewhere.
TEST(OffThread, TheEventLoopRunsWhileTheWorkGoesOnElsewhere)
{
    test::GuiApplication();
    std::promise<void> timerFired;
    QTimer::singleShot(10, [&timerFired] { timerFired.set_value(); });
    const std::thread::id caller = std::this_thread::get_id();
    const auto [sawTimer, workThread] = RunOffThread([future = timerFired.get_future()]() mutable {
        const bool fired = future.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
        return std::make_pair(fired, std::this_thread::get_id());
    });
    EXPECT_TRUE(sawTimer);
    EXPECT_NE(workThread, caller);
}

TEST(OffThread, WhatTheWorkThrowsReachesTheCaller)
{
    test::GuiApplication();
    EXPECT_THROW(RunOffThread([]() -> int { throw std::runtime_error("no memory"); }), std::runtime_error);
    EXPECT_EQ(RunOffThread([] { return 42; }), 42);
}

}  // namespace
}  // namespace velmora
