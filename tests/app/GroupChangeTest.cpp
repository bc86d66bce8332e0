#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QSlider>
#include <QTest>
#include <QWheelEvent>

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/ProgramContent.h"
#include "content/ContentLoad.h"
#include "content/MenuGroup.h"
#include "sound/ClipPlayer.h"
#include "support/FakeAudioOutput.h"
#include "support/GuiApplication.h"
#include "support/TestContent.h"
#include "toolkit/IdleSlot.h"
#include "toolkit/TileList.h"

namespace velmora::app {
namespace {

// What a user (or a timer) does; every action runs at once, without waiting
// for the heading tile's pause or the delayed redraw unless it says so.
enum class Act {
    Menu,         // click menu tile `arg`
    WheelCentre,  // one wheel notch over the centre (towards the user)
    WheelMenu,    // one wheel notch over the menu
    HoverCentre,  // the pointer moves over centre tile `arg`'s play zone
    ClickCentre,  // click centre tile `arg` in its play zone
    StartStop,    // the "Start"/"Stop" label
    PauseZero,    // the pause slider to 0
    ClipEnds,     // the playing clip comes to its end
    Resize,       // the window grows by `arg` pixels
    Wait,         // the event loop runs for `arg` ms (timers, idle steps)
};

struct Step {
    Act act;
    int arg = 0;
};

std::vector<test::TestGroup> Groups(int count)
{
    std::vector<test::TestGroup> groups(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        test::TestGroup& group = groups[static_cast<std::size_t>(i)];
        group.name = "Grupa - " + std::to_string(i);
        // Groups of very different sizes, so a stale index is out of range
        // in the next group; the heading (index 8) has no items, as in the demo.
        group.items = i == 8 ? 0 : (i % 2 == 0 ? 8 : 2);
    }
    return groups;
}

// A main window over made-up content and a fake output, driven by real
// events on the offscreen platform.
struct Rig : test::NeedsGuiApplication {
    explicit Rig(int groups)
    {
        test::WriteTestContent(dir, Groups(groups));
        window = std::make_unique<MainWindow>(ProgramContent(LoadContent()), player);
        window->setWindowFlag(Qt::FramelessWindowHint);
        window->show();
        window->resize(800, 600);
        Settle();
    }

    void Settle()
    {
        const QDeadlineTimer deadline(5000);
        while (!deadline.hasExpired() &&
               (window->PaintSuspended() || IdleSlot::IsSet() || window->MenuList().Selected() == 8))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }

    void Wheel(QWidget& over)
    {
        const QPoint local(over.width() / 2, over.height() / 2);
        QWheelEvent event(local, over.mapToGlobal(local), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&over, &event);
    }

    // A point in centre tile `index`'s play zone, on the panel; the top-left
    // of the panel when there is no such tile.
    QPoint PlayZone(int index) const
    {
        TileList& list = window->CentreList();
        if (index >= list.Count())
            return {1, 1};
        const TileList::Tile& tile = list.Item(index);
        const WidthScale scale = window->Scaling();
        return {tile.left + scale.Scale(75) - scale.ScaleDown(60) + 2,
                tile.top + scale.Scale(50) + 2 * scale.Scale(10) + 2 - list.ScrollPos()};
    }

    void Do(const Step& step)
    {
        TileList& menu = window->MenuList();
        QWidget& centre = *window->CentreList().Panel();
        switch (step.act) {
        case Act::Menu: {
            const TileList::Tile& tile = menu.Item(step.arg);
            QTest::mouseClick(menu.Panel(), Qt::LeftButton, {}, QPoint(tile.left + 5, tile.top + 5 - menu.ScrollPos()));
            break;
        }
        case Act::WheelCentre: Wheel(centre); break;
        case Act::WheelMenu: Wheel(*menu.Panel()); break;
        case Act::HoverCentre: QTest::mouseMove(&centre, PlayZone(step.arg)); break;
        case Act::ClickCentre: QTest::mouseClick(&centre, Qt::LeftButton, {}, PlayZone(step.arg)); break;
        case Act::StartStop:
            QTest::mouseClick(window->findChild<QWidget*>(QStringLiteral("startStopLabel")), Qt::LeftButton);
            break;
        case Act::PauseZero: window->findChild<QSlider*>(QStringLiteral("pauseSlider"))->setValue(0); break;
        case Act::ClipEnds: output.FinishPlaying(); break;
        case Act::Resize: window->resize(window->width() + step.arg, window->height() + step.arg); break;
        case Act::Wait: test::RunEventLoopFor(std::chrono::milliseconds(step.arg)); break;
        }
        // Whatever the events just queued do, they do now.
        QCoreApplication::processEvents();
    }

    // The centre's tiles are the items of the selected group, in order, or
    // there are none: never tiles of one group over the items of another.
    ::testing::AssertionResult CentreAgreesWithTheGroup() const
    {
        TileList& centre = window->CentreList();
        if (centre.Count() == 0)
            return ::testing::AssertionSuccess();
        const MenuGroup* group = window->SelectedGroup();
        if (group == nullptr)
            return ::testing::AssertionFailure() << centre.Count() << " centre tiles and no group selected";
        if (centre.Count() != group->ChildCount())
            return ::testing::AssertionFailure()
                   << centre.Count() << " centre tiles for group " << window->Content().selectedMenuItem << " of "
                   << group->ChildCount() << " items";
        for (int i = 0; i < centre.Count(); ++i)
            if (centre.Item(i).data != group->ChildAt(i))
                return ::testing::AssertionFailure() << "centre tile " << i << " holds another group's item";
        return ::testing::AssertionSuccess();
    }

    test::TempDir dir;
    test::CurrentDirGuard inDir{dir.Path()};
    test::FakeAudioOutput output;
    ClipPlayer player{output};
    std::unique_ptr<MainWindow> window;
};

std::vector<Step> Repeat(int times, const std::vector<Step>& steps)
{
    std::vector<Step> all;
    for (int i = 0; i < times; ++i)
        all.insert(all.end(), steps.begin(), steps.end());
    return all;
}

TEST(GroupChange, NoHandlerPairsOneGroupsTilesWithAnotherGroupsItems)
{
    struct Row {
        const char* name;
        int groups;
        std::vector<Step> steps;
        int selectedAtEnd;
    };
    const std::vector<Row> rows = {
        {"wheel over the centre during the heading's pause", 12, {{Act::Menu, 8}, {Act::WheelCentre}}, 9},
        {"wheel over the menu during the heading's pause", 12, {{Act::Menu, 8}, {Act::WheelMenu}}, 9},
        {"hover during the heading's pause", 12, {{Act::Menu, 8}, {Act::HoverCentre, 7}}, 9},
        {"centre click during the heading's pause", 12, {{Act::Menu, 8}, {Act::ClickCentre, 6}}, 9},
        {"a pending redraw ends during the heading's pause",
         12,
         {{Act::Resize, 30}, {Act::Wait, 60}, {Act::Menu, 8}, {Act::Wait, 120}},
         9},
        {"repeat ticks at pause 0 during the heading's pause",
         12,
         {{Act::PauseZero},
          {Act::ClickCentre, 6},
          {Act::StartStop},
          {Act::Menu, 8},
          {Act::ClipEnds},
          {Act::Wait, 60},
          {Act::ClipEnds},
          {Act::Wait, 60}},
         9},
        {"twenty heading clicks with repetition on at pause 0", 12,
         [] {
             std::vector<Step> steps = {{Act::PauseZero}, {Act::ClickCentre, 6}, {Act::StartStop}};
             const std::vector<Step> more = Repeat(20, {{Act::Menu, 8},
                                                        {Act::ClipEnds},
                                                        {Act::Wait, 50},
                                                        {Act::ClickCentre, 1},
                                                        {Act::Wait, 120},
                                                        {Act::ClickCentre, 1},
                                                        {Act::ClipEnds},
                                                        {Act::Menu, 0},
                                                        {Act::ClickCentre, 6}});
             steps.insert(steps.end(), more.begin(), more.end());
             return steps;
         }(),
         0},
        {"idle preparation around the heading's pause",
         12,
         {{Act::Menu, 2}, {Act::Wait, 160}, {Act::Menu, 8}, {Act::Wait, 10}, {Act::WheelCentre}},
         9},
        {"another group chosen during the heading's pause",
         12,
         {{Act::Menu, 8}, {Act::Menu, 3}, {Act::WheelCentre}, {Act::HoverCentre, 1}},
         3},
        {"the heading with nothing after it", 9, {{Act::Menu, 8}, {Act::WheelCentre}, {Act::HoverCentre, 5}}, -1},
        {"a smaller group after scrolling a larger one",
         12,
         {{Act::WheelCentre},
          {Act::WheelCentre},
          {Act::ClickCentre, 7},
          {Act::Menu, 1},
          {Act::HoverCentre, 7},
          {Act::WheelCentre},
          {Act::ClickCentre, 7}},
         1},
        {"a resize during the heading's pause", 12, {{Act::Menu, 8}, {Act::Resize, 20}, {Act::WheelCentre}}, 9},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Rig rig(row.groups);
        // Handlers the toolkit guards report a failure on standard error.
        testing::internal::CaptureStderr();
        bool agreed = true;
        // An exception that escapes a handler leaves the event loop here:
        // the test's application, unlike the program's, does not catch it.
        try {
            for (std::size_t i = 0; i < row.steps.size(); ++i) {
                rig.Do(row.steps[i]);
                // The first disagreement is reported; the steps go on, as a
                // user would, to the handler that trips over it.
                if (agreed && !rig.CentreAgreesWithTheGroup()) {
                    agreed = false;
                    ADD_FAILURE() << "after step " << i << ": " << rig.CentreAgreesWithTheGroup().message();
                }
            }
            rig.Settle();
        } catch (const std::exception& error) {
            ADD_FAILURE() << "a handler failed: " << error.what();
        }
        const std::string reported = testing::internal::GetCapturedStderr();
        EXPECT_EQ(reported.find("velmora: "), std::string::npos) << reported;
        EXPECT_EQ(rig.window->Content().selectedMenuItem, row.selectedAtEnd);
        EXPECT_TRUE(rig.CentreAgreesWithTheGroup());
        const MenuGroup* group = rig.window->SelectedGroup();
        EXPECT_EQ(rig.window->CentreList().Count(), group != nullptr ? group->ChildCount() : 0);
    }
}

}  // namespace
}  // namespace velmora::app
