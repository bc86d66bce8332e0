#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <memory>

#include "app/RepeatCycle.h"
#include "support/FakeAudioOutput.h"

namespace velmora::app {
namespace {

QCoreApplication& App()
{
    static int argc = 1;
    static char name[] = "repeat_cycle_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// A repetition over the fake output: "selected" says whether an item is
// selected, and every play starts a one-byte clip that lasts until the test
// finishes it.
struct Rig {
    test::FakeAudioOutput output;
    bool selected = false;
    std::int32_t position = 5;
    std::unique_ptr<RepeatCycle> cycle;

    Rig()
    {
        App();
        const std::uint8_t clip[] = {1};
        cycle = std::make_unique<RepeatCycle>(RepeatCycle::Hooks{
            [this] { return selected; },
            [this, clip] { output.Play(clip, sizeof clip); },
            [this] { output.Stop(); },
            [this] { return output.IsPlaying(); },
            [this] { return position; },
        });
    }
    int Plays() const { return static_cast<int>(output.Played().size()); }
};

enum class Step { Tick, Toggle, Select, Deselect, FinishClip, SetPosition0 };

TEST(RepeatCycleTest, FollowsTheStateTable)
{
    struct Row {
        Step step;
        int times;
        bool on;
        bool timer;
        std::int32_t countdown;
        int plays;
        int stops;
        const char* state;
    };
    const Row rows[] = {
        {Step::Tick, 1, false, false, 1, 0, 0, "Off: the first tick finds nothing selected"},
        {Step::Select, 1, false, false, 1, 0, 0, "Off, item selected"},
        {Step::Toggle, 1, true, true, -1, 1, 1, "Starting plays at once: Playing"},
        {Step::Tick, 3, true, true, -1, 1, 1, "Playing while the clip lasts"},
        {Step::FinishClip, 1, true, true, -1, 1, 1, "clip over, not noticed yet"},
        {Step::Tick, 1, true, true, 10, 1, 1, "Pausing: 5 x 100 / 50 ticks"},
        {Step::Tick, 10, true, true, 0, 1, 1, "pause counted down"},
        {Step::Tick, 1, true, true, -1, 2, 1, "Playing again"},
        {Step::Deselect, 1, true, true, -1, 2, 1, "a group change empties the selection"},
        {Step::Tick, 1, true, false, -1, 2, 1, "Idle-on"},
        {Step::Toggle, 1, false, false, -1, 2, 1, "Stop in Idle-on leaves the clip alone"},
        {Step::Select, 1, false, false, -1, 2, 1, "Off, item selected"},
        {Step::Toggle, 1, true, true, -1, 3, 2, "Starting again"},
        {Step::Toggle, 1, false, false, -1, 3, 3, "Stop while playing stops the clip"},
        {Step::SetPosition0, 1, false, false, -1, 3, 3, "pause 0"},
        {Step::Toggle, 1, true, true, -1, 4, 4, "Starting with pause 0"},
        {Step::FinishClip, 1, true, true, -1, 4, 4, ""},
        {Step::Tick, 1, true, true, 0, 4, 4, "no pause ticks"},
        {Step::Tick, 1, true, true, -1, 5, 4, "plays on the next tick"},
    };
    Rig rig;
    for (const Row& row : rows) {
        for (int i = 0; i < row.times; ++i) {
            switch (row.step) {
            case Step::Tick: rig.cycle->Tick(); break;
            case Step::Toggle: rig.cycle->Toggle(); break;
            case Step::Select: rig.selected = true; break;
            case Step::Deselect: rig.selected = false; break;
            case Step::FinishClip: rig.output.FinishPlaying(); break;
            case Step::SetPosition0: rig.position = 0; break;
            }
        }
        SCOPED_TRACE(row.state);
        EXPECT_EQ(rig.cycle->IsOn(), row.on);
        EXPECT_EQ(rig.cycle->IsTimerActive(), row.timer);
        EXPECT_EQ(rig.cycle->Countdown(), row.countdown);
        EXPECT_EQ(rig.Plays(), row.plays);
        EXPECT_EQ(rig.output.StopCount(), row.stops);
    }
}

TEST(RepeatCycleTest, RealTimerRepeatsAfterThePause)
{
    Rig rig;
    rig.selected = true;
    rig.position = 1;  // 2 ticks of pause
    rig.cycle->Toggle();
    ASSERT_EQ(rig.Plays(), 1);
    rig.output.FinishPlaying();
    QDeadlineTimer deadline(5000);
    while (rig.Plays() < 2 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    EXPECT_EQ(rig.Plays(), 2);
    EXPECT_TRUE(rig.cycle->IsTimerActive());
}

}  // namespace
}  // namespace velmora::app
