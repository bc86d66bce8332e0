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
struct SlotGuard {
    SlotGuard() { test::GuiApplication(); }
    ~SlotGuard() { IdleSlot::Clear(); }
};

void PostEventTo(QObject& receiver)
{
    QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
}

TEST(IdleSlot, NotDoneRunsAgainAtOnceUntilTheHandlerRemovesItself)
{
    SlotGuard guard;
    int calls = 0;
    IdleSlot::Set([&](bool& done) {
        EXPECT_TRUE(done) << "every call starts with done = true";
        if (++calls == 5) {
            IdleSlot::Clear();
            return;
        }
        done = false;
    });
    EXPECT_TRUE(IdleSlot::IsSet());
    ASSERT_TRUE(QTest::qWaitFor([&] { return calls == 5; }, 2000));
    EXPECT_FALSE(IdleSlot::IsSet());

    QObject receiver;
    PostEventTo(receiver);
    test::RunEventLoopFor(50ms);
    EXPECT_EQ(calls, 5) << "a removed handler is not called again";
}

TEST(IdleSlot, DoneWaitsForTheNextEventWithoutSpinning)
{
    SlotGuard guard;
    int calls = 0;
    IdleSlot::Set([&](bool&) { ++calls; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return calls >= 1; }, 2000));

    const int afterFirst = calls;
    test::RunEventLoopFor(200ms);  // one timer event in 200 ms
    EXPECT_LE(calls, afterFirst + 2) << "an idle program does not call the handler over and over";

    QObject receiver;
    for (int event = 1; event <= 3; ++event) {
        const int before = calls;
        PostEventTo(receiver);
        EXPECT_TRUE(QTest::qWaitFor([&] { return calls > before; }, 2000)) << "event " << event;
    }
    EXPECT_TRUE(IdleSlot::IsSet());
}

TEST(IdleSlot, AHandlerMayReplaceItself)
{
    SlotGuard guard;
    int firstCalls = 0;
    int secondCalls = 0;
    IdleSlot::Set([&](bool& done) {
        ++firstCalls;
        IdleSlot::Set([&](bool& innerDone) {
            if (++secondCalls == 3)
                IdleSlot::Clear();
            else
                innerDone = false;
        });
        done = false;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return secondCalls == 3; }, 2000));
    EXPECT_EQ(firstCalls, 1);
    EXPECT_FALSE(IdleSlot::IsSet());
}

TEST(IdleSlot, AFailingHandlerIsRemoved)
{
    SlotGuard guard;
    int calls = 0;
    IdleSlot::Set([&](bool& done) {
        ++calls;
        done = false;
        throw std::runtime_error("preparation failed");
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !IdleSlot::IsSet(); }, 2000));
    test::RunEventLoopFor(20ms);
    EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace velmora
