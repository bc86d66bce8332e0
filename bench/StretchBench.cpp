// Resampling 24-bit pictures at the sizes the windows meet, one thread, at
// every kernel level up to the active one (VELMORA_KERNEL_LEVEL can lower it).

#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "graphics/KernelLevel.h"
#include "graphics/Resample.h"

namespace velmora {
namespace {

// A photograph-like picture: smooth gradients with noise, so no row repeats.
Bitmap Picture(int width, int height)
{
    Bitmap picture(width, height, PixelFormat::Bits24);
    std::mt19937 random(77);
    for (int row = 0; row < height; ++row) {
        std::uint8_t* pixel = picture.ScanLine(row);
        for (int col = 0; col < width; ++col, pixel += 3) {
            pixel[0] = static_cast<std::uint8_t>((col + random() % 32) & 0xFF);
            pixel[1] = static_cast<std::uint8_t>((row + random() % 32) & 0xFF);
            pixel[2] = static_cast<std::uint8_t>(((col ^ row) + random() % 32) & 0xFF);
        }
    }
    return picture;
}

void Stretch(benchmark::State& state, KernelLevel level)
{
    Bitmap source = Picture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const auto destination = NewBitmap24(static_cast<int>(state.range(2)), static_cast<int>(state.range(3)));
    const KernelLevel previous = ActiveKernelLevel();
    SetKernelLevel(level);
    for (auto _ : state) {
        StretchBitmap(destination.get(), &source);
        benchmark::DoNotOptimize(destination->Bits());
        benchmark::ClobberMemory();
    }
    SetKernelLevel(previous);
    const double outputPixels = static_cast<double>(state.range(2)) * state.range(3);
    state.counters["Mpx/s"] = benchmark::Counter(outputPixels / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

// Source and destination sizes: pictures in item tiles, help pages and
// presentation pages at the sizes the windows give them.
constexpr int kPairs[][4] = {
    {600, 400, 375, 250},
    {600, 400, 216, 144},
    {1200, 1700, 840, 1190},
    {1200, 1700, 600, 850},
    {1600, 1200, 1024, 768},
    {1600, 1200, 800, 600},
    {76, 46, 120, 73},
    // Sizes without common factors keep the divisors large.
    {1601, 1201, 1021, 767},
    {1601, 1201, 503, 401},
    // A page fitted to a window, and a help page at 50 %.
    {1600, 1200, 683, 512},
    {1200, 1700, 537, 761},
    {1200, 1700, 360, 510},
    {2480, 3508, 840, 1188},
};

// One benchmark per level, named Stretch/<level>, each with every pair.
const bool kRegistered = [] {
    for (const KernelLevel level : kAllKernelLevels) {
        if (level > ActiveKernelLevel())
            continue;
        auto* benchmark =
            benchmark::RegisterBenchmark(("Stretch/" + std::string(KernelLevelName(level))).c_str(), Stretch, level);
        benchmark->ArgNames({"sw", "sh", "dw", "dh"})->Unit(benchmark::kMicrosecond);
        for (const auto& pair : kPairs)
            benchmark->Args({pair[0], pair[1], pair[2], pair[3]});
    }
    return true;
}();

}  // namespace
}  // namespace velmora
