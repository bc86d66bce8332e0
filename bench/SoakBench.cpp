// The soak: the main window over SDL's audio output repeats a 5 ms word
// 10,000 times at pause 0, then changes the group 1,000 times, each change
// carried through its delayed redraw and the idle preparation of the new
// group's items. Resident memory and open file descriptors are read before
// and after each part; the run fails when memory grows by 2 MiB or more, or
// any descriptor stays open. bench/soak.sh runs it as it should be run.
//   soak_bench [REPETITIONS [GROUP_CHANGES]]

#include <QApplication>
#include <QDeadlineTimer>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/ProgramContent.h"
#include "content/ContentLoad.h"
#include "platform/SdlAudioOutput.h"
#include "sound/ClipFile.h"
#include "sound/ClipPlayer.h"
#include "support/GuiApplication.h"
#include "support/TestContent.h"
#include "support/WaveFiles.h"
#include "toolkit/IdleSlot.h"
#include "toolkit/TileList.h"

namespace velmora::app {
namespace {

constexpr long kAllowedGrowthKiB = 2048;

long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

int OpenDescriptors()
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count - 1;  // the iterator's own
}

// 5 ms of a square tone, 16-bit mono at 22,050 samples per second, as a
// clip file.
std::vector<std::uint8_t> ShortClip()
{
    std::vector<std::int16_t> samples(110);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>((i / 25) % 2 == 0 ? 6000 : -6000);
    std::vector<std::uint8_t> clip = test::Pcm16Wave(1, 22050, samples);
    ScrambleClip(clip);
    return clip;
}

template <class Condition>
bool ProcessEventsUntil(Condition condition, int limitMs = 10000)
{
    const QDeadlineTimer deadline(limitMs);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return condition();
}

struct Sample {
    long residentKiB;
    int descriptors;
};

Sample Measure()
{
    // What Qt frees later (deferred deletions) is freed before reading.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    return {ResidentKiB(), OpenDescriptors()};
}

bool Report(const char* part, const Sample& before, const Sample& after)
{
    const long growth = after.residentKiB - before.residentKiB;
    const int opened = after.descriptors - before.descriptors;
    std::printf("%-22s resident %6ld -> %6ld KiB (%+ld KiB), descriptors %d -> %d (%+d)\n", part, before.residentKiB,
                after.residentKiB, growth, before.descriptors, after.descriptors, opened);
    return growth < kAllowedGrowthKiB && opened <= 0;
}

int Run(int repetitions, int groupChanges)
{
    test::GuiApplication();
    test::TempDir dir;
    std::vector<test::TestGroup> groups(12);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        groups[g].name = "Grupa - " + std::to_string(g);
        groups[g].items = g % 2 == 0 ? 8 : 3;
    }
    test::WriteTestContent(dir, groups);
    const std::vector<std::uint8_t> clip = ShortClip();
    for (std::size_t g = 0; g < groups.size(); ++g)
        dir.Write(std::string("Data/sou/") + test::TestItemFile(static_cast<int>(g), 0) + ".cw",
                  std::string(clip.begin(), clip.end()));
    test::CurrentDirGuard inDir(dir.Path());

    SdlAudioOutput output;
    ClipPlayer player(output);
    MainWindow window(ProgramContent(LoadContent()), player);
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.show();
    window.resize(1100, 1000);
    if (!ProcessEventsUntil([&] { return window.CentreList().Count() > 0 && !IdleSlot::IsSet(); }))
        return 2;

    window.CentreList().Select(0);
    const auto repeatTimes = [&](int times) {
        int plays = 0;
        int previous = window.Repeat().Countdown();
        // The cycle's own ticks, as fast as they come: a tick that finds the
        // clip still playing waits for the next.
        while (plays < times) {
            window.Repeat().Tick();
            const int countdown = window.Repeat().Countdown();
            if (countdown < 0 && previous >= 0)
                ++plays;
            previous = countdown;
            QCoreApplication::processEvents();
        }
    };
    const auto changeGroups = [&](int times) {
        for (int i = 0; i < times; ++i) {
            window.MenuList().Select(i % 2 == 0 ? 2 : 3 + (i / 2) % 5);
            if (!ProcessEventsUntil([&] { return !window.PaintSuspended() && !IdleSlot::IsSet(); }))
                return false;
        }
        return true;
    };

    // A first round of each part makes what is made once (fonts, the audio
    // device's buffers, every visited group's prepared pictures) before the
    // counting starts.
    window.Repeat().Toggle();
    repeatTimes(50);
    window.Repeat().Toggle();
    if (!changeGroups(20))
        return 2;
    window.MenuList().Select(0);
    window.CentreList().Select(0);
    if (!ProcessEventsUntil([&] { return !window.PaintSuspended() && !IdleSlot::IsSet(); }))
        return 2;

    const Sample start = Measure();
    window.Repeat().Toggle();
    repeatTimes(repetitions);
    window.Repeat().Toggle();
    const Sample afterRepeats = Measure();
    if (!changeGroups(groupChanges))
        return 2;
    const Sample end = Measure();

    std::printf("%d repetitions at pause 0 of a 5 ms clip, %d group changes\n", repetitions, groupChanges);
    const bool repeatsOk = Report("repetitions", start, afterRepeats);
    const bool changesOk = Report("group changes", afterRepeats, end);
    const bool wholeOk = Report("whole run", start, end);
    return repeatsOk && changesOk && wholeOk ? 0 : 1;
}

}  // namespace
}  // namespace velmora::app

int main(int argc, char** argv)
{
    const int repetitions = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int groupChanges = argc > 2 ? std::atoi(argv[2]) : 1000;
    return velmora::app::Run(repetitions, groupChanges);
}
