#include <gtest/gtest.h>

#include "support/GuiApplication.h"
#include "toolkit/IdleSlot.h"

#include <QCoreApplication>
#include <QTest>

#include <stdexcept>

namespace velmora {
namespace {

using namespace std::chrono_literals;

// Clears the slot however a test ends.
struct SlotGuard : test::NeedsGuiApplication {
    ~SlotGuard() { IdleSlot::Clear(); }
    QObject receiver;
    void PostEvent() { QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User)); }
};

TEST(IdleSlot, NotDoneRunsAgainAtOnceUntilTheHandlerRemovesItself)
{
    SlotGuard guard;
    int calls = 0;
    IdleSlot::Set([&](bool& done) {
        EXPECT_TRUE(done) << "every call starts with done = true";
        if (++calls == 5)
            IdleSlot::Clear();
        else
            done = false;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return calls == 5; }, 2000));
    EXPECT_FALSE(IdleSlot::IsSet());
    guard.PostEvent();
    test::RunEventLoopFor(50ms);
    EXPECT_EQ(calls, 5) << "a removed handler is not called again";
}

TEST(IdleSlot, DoneWaitsForTheNextEventWithoutSpinning)
{
    SlotGuard guard;
    int calls = 0;
    IdleSlot::Set([&](bool&) { ++calls; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return calls == 1; }, 2000));
    test::RunEventLoopFor(200ms);  // a single timer event in 200 ms
    EXPECT_LE(calls, 3) << "an idle program does not call the handler over and over";
    for (int event = 1; event <= 3; ++event) {
        const int before = calls;
        guard.PostEvent();
        EXPECT_TRUE(QTest::qWaitFor([&] { return calls > before; }, 2000)) << "event " << event;
    }
}

TEST(IdleSlot, AHandlerMayReplaceItselfAndAFailingOneIsRemoved)
{
    SlotGuard guard;
    int firstCalls = 0;
    int secondCalls = 0;
    IdleSlot::Set([&](bool&) {
        ++firstCalls;
        IdleSlot::Set([&](bool& done) {
            done = false;
            if (++secondCalls == 3)
                throw std::runtime_error("preparation failed");
        });
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !IdleSlot::IsSet(); }, 2000));
    guard.PostEvent();
    test::RunEventLoopFor(20ms);
    EXPECT_EQ(firstCalls, 1);
    EXPECT_EQ(secondCalls, 3);
}

}  // namespace
}  // namespace velmora
