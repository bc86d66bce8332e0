// The main window on a large synthetic content set (40 groups of 12 items,
// 60 help pages): building it, its first paint with the first group laid
// out, one step of the idle preparation, a group change, a wheel step, a
// menu click, and a click on a sound marker to the first sound at SDL's
// dummy device.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <thread>

#include "app/MainWindow.h"
#include "app/ProgramContent.h"
#include "content/ContentLoad.h"
#include "content/MenuGroup.h"
#include "platform/SdlAudioOutput.h"
#include "sound/ClipPlayer.h"
#include "support/FakeAudioOutput.h"
#include "support/GuiApplication.h"
#include "support/TestFiles.h"
#include "toolkit/IdleSlot.h"
#include "toolkit/Panel.h"
#include "toolkit/TileList.h"

namespace velmora::app {
namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

QApplication& Application()
{
    return test::GuiApplication();
}

// The synthetic content set, made once by the content tool, and the
// current directory set to it.
const test::TempDir& SyntheticContent()
{
    static const test::TempDir dir;
    static const bool made = [] {
        const std::string command = std::string(VELMORA_CONTENT_TOOL) + " make-demo --synthetic 40 12 60 " +
                                    (dir.Path() / "content").string() + " >/dev/null";
        return std::system(command.c_str()) == 0;
    }();
    if (!made)
        std::abort();
    static const test::CurrentDirGuard guard(dir.Path() / "content");
    return dir;
}

template <class Condition>
void ProcessEventsUntil(Condition condition)
{
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (!condition() && Clock::now() < deadline)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

struct Window {
    explicit Window(AudioOutput& output) : player(output)
    {
        Application();
        SyntheticContent();
        window = std::make_unique<MainWindow>(ProgramContent(LoadContent()), player);
        window->setWindowFlag(Qt::FramelessWindowHint);
    }
    void ShowAndSettle()
    {
        window->show();
        ProcessEventsUntil([&] { return window->CentreList().Count() > 0; });
        ProcessEventsUntil([&] { return !window->PaintSuspended() && !IdleSlot::IsSet(); });
    }
    ClipPlayer player;
    std::unique_ptr<MainWindow> window;
};

void BuildMainWindow(benchmark::State& state)
{
    Application();
    SyntheticContent();
    test::FakeAudioOutput output;
    for (auto _ : state) {
        Window built(output);
        benchmark::DoNotOptimize(built.window.get());
        state.PauseTiming();
        built.window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BuildMainWindow)->Unit(benchmark::kMillisecond)->Iterations(5);

// From show() to the first paint of the window with the first group's
// tiles laid out (the items themselves come 150 ms later).
void ShowToFirstLaidOutPaint(benchmark::State& state)
{
    test::FakeAudioOutput output;
    for (auto _ : state) {
        state.PauseTiming();
        Window built(output);
        state.ResumeTiming();
        built.window->show();
        ProcessEventsUntil([&] { return built.window->CentreList().Count() > 0; });
        built.window->repaint();
        state.PauseTiming();
        built.window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(ShowToFirstLaidOutPaint)->Unit(benchmark::kMillisecond)->Iterations(5);

// One call of the idle preparation (one item resampled, the list repainted),
// the 2 ms pause it makes included: the whole group prepared, divided by its
// items.
void PrepareItemsOnIdleCall(benchmark::State& state)
{
    test::FakeAudioOutput output;
    Window rig(output);
    rig.ShowAndSettle();
    MenuGroup& group = *rig.window->SelectedGroup();
    float scale = 0.5f;
    double preparing = 0;
    for (auto _ : state) {
        state.PauseTiming();
        scale = scale == 0.5f ? 0.6f : 0.5f;
        group.SetScale(Scope::Children, scale);
        state.ResumeTiming();
        const auto started = Clock::now();
        rig.window->StartItemPreparation();
        ProcessEventsUntil([] { return !IdleSlot::IsSet(); });
        preparing += Milliseconds(Clock::now() - started).count();
    }
    state.counters["ms_per_call"] =
        preparing / static_cast<double>(state.iterations()) / static_cast<double>(group.ChildCount());
}
BENCHMARK(PrepareItemsOnIdleCall)->Unit(benchmark::kMillisecond)->UseRealTime();

// A group chosen in the menu, to the window painted with its tiles laid out.
void MenuGroupChange(benchmark::State& state)
{
    test::FakeAudioOutput output;
    Window rig(output);
    rig.ShowAndSettle();
    int group = 0;
    for (auto _ : state) {
        group = group == 1 ? 2 : 1;
        rig.window->MenuList().Select(group);
        rig.window->repaint();
    }
}
BENCHMARK(MenuGroupChange)->Unit(benchmark::kMillisecond);

void WheelStep(benchmark::State& state)
{
    test::FakeAudioOutput output;
    Window rig(output);
    rig.ShowAndSettle();
    QWidget* panel = rig.window->CentreList().Panel();
    const QPointF inside(panel->width() / 2.0, panel->height() / 2.0);
    int direction = -120;
    for (auto _ : state) {
        direction = -direction;
        QWheelEvent wheel(inside, panel->mapToGlobal(inside), QPoint(), QPoint(0, direction), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(panel, &wheel);
        rig.window->repaint();
    }
}
BENCHMARK(WheelStep)->Unit(benchmark::kMillisecond);

void MenuClick(benchmark::State& state)
{
    test::FakeAudioOutput output;
    Window rig(output);
    rig.ShowAndSettle();
    int group = 0;
    for (auto _ : state) {
        group = group == 1 ? 2 : 1;
        const TileList::Tile& tile = rig.window->MenuList().Item(group);
        QTest::mouseClick(rig.window->MenuList().Panel(), Qt::LeftButton, {}, QPoint(tile.left + 5, tile.top + 5));
        rig.window->repaint();
    }
}
BENCHMARK(MenuClick)->Unit(benchmark::kMillisecond);

double Percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))];
}

// A click on the first item's sound marker to the first non-silent sample
// handed to SDL's dummy device, which takes a buffer every 10 ms or so.
void ClickToFirstSound(benchmark::State& state)
{
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    SdlAudioOutput output;
    if (!output.IsAvailable()) {
        state.SkipWithError("no audio device");
        return;
    }
    Window rig(output);
    rig.ShowAndSettle();
    const WidthScale scale = rig.window->Scaling();
    const TileList::Tile& tile = rig.window->CentreList().Item(0);
    const QPoint marker(tile.left + scale.Scale(75) - scale.ScaleDown(60) + 4,
                        tile.top + scale.Scale(50) + 2 * scale.Scale(10) + 4);
    std::mt19937 random(5);
    std::vector<double> latencies;
    for (auto _ : state) {
        const auto clicked = Clock::now();
        QTest::mouseClick(rig.window->CentreList().Panel(), Qt::LeftButton, {}, marker);
        std::optional<Clock::time_point> first;
        while (!(first = output.FirstSoundTime()) && Clock::now() - clicked < std::chrono::seconds(1))
            std::this_thread::yield();
        if (!first) {
            state.SkipWithError("the word never reached the device");
            return;
        }
        latencies.push_back(std::max(0.0, Milliseconds(*first - clicked).count()));
        rig.player.StopSound();
        // Clicks come at any moment of the device's period.
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 15000));
    }
    state.counters["median_ms"] = Percentile(latencies, 0.5);
    state.counters["max_ms"] = Percentile(latencies, 1.0);
}
BENCHMARK(ClickToFirstSound)->Unit(benchmark::kMillisecond)->Iterations(50)->UseRealTime();

}  // namespace
}  // namespace velmora::app
