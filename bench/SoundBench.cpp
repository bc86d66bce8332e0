// Loading a clip file, and the delay from PlayClip returning to the
// first sound the device is handed (SDL's dummy driver, which takes a
// buffer every 10 ms or so like a device).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <random>
#include <thread>

#include "content/ContentLayout.h"
#include "platform/SdlAudioOutput.h"
#include "sound/ClipFile.h"
#include "sound/ClipPlayer.h"
#include "support/TestFiles.h"
#include "support/WaveFiles.h"

namespace velmora {
namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

std::vector<std::int16_t> Noise(std::size_t samples)
{
    std::mt19937 random(99);
    std::vector<std::int16_t> wave(samples);
    for (auto& sample : wave)
        sample = static_cast<std::int16_t>(random() % 20000 + 1);
    return wave;
}

// A content directory holding one scrambled clip of `samples` 16-bit samples.
struct ClipFixture {
    explicit ClipFixture(std::size_t samples, std::uint32_t rate)
    {
        dir.Write("Data/sou/slowo.cw", test::ScrambleClip(test::Pcm16Wave(1, rate, Noise(samples))));
    }
    test::TempDir dir;
    test::CurrentDirGuard guard{dir.Path()};
    const std::string clipPath = ClipContentPath("slowo");
};

void LoadOneMegabyteClip(benchmark::State& state)
{
    const ClipFixture fixture((1 << 20) / 2 - 22, 44100);
    std::vector<std::uint8_t> clip;
    for (auto _ : state) {
        if (!LoadClip(fixture.clipPath, clip))
            state.SkipWithError("cannot read the clip");
        benchmark::DoNotOptimize(clip.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * clip.size()));
}
BENCHMARK(LoadOneMegabyteClip)->Unit(benchmark::kMillisecond);

double Percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))];
}

void PlayToFirstSound(benchmark::State& state)
{
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    SdlAudioOutput output;
    if (!output.IsAvailable()) {
        state.SkipWithError("no audio device");
        return;
    }
    const ClipFixture fixture(22050 / 5, 22050);
    ClipPlayer sounds(output);
    std::mt19937 random(5);
    std::vector<double> latencies;
    std::vector<double> calls;
    for (auto _ : state) {
        const auto called = Clock::now();
        sounds.PlayClip(fixture.clipPath);
        const auto returned = Clock::now();
        std::optional<Clock::time_point> first;
        while (!(first = output.FirstSoundTime()) && Clock::now() - returned < std::chrono::seconds(1))
            std::this_thread::yield();
        if (!first) {
            state.SkipWithError("the clip never reached the device");
            return;
        }
        calls.push_back(Milliseconds(returned - called).count());
        latencies.push_back(std::max(0.0, Milliseconds(*first - returned).count()));
        sounds.StopSound();
        // Clicks come at any moment of the device's period, not right after it.
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 15000));
    }
    state.counters["median_ms"] = Percentile(latencies, 0.5);
    state.counters["p90_ms"] = Percentile(latencies, 0.9);
    state.counters["max_ms"] = Percentile(latencies, 1.0);
    state.counters["call_median_ms"] = Percentile(calls, 0.5);
}
BENCHMARK(PlayToFirstSound)->Iterations(100)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace velmora
