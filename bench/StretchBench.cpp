// Resampling 24-bit pictures at the sizes the windows meet, one thread.

#include <benchmark/benchmark.h>

#include <random>

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

void Stretch(benchmark::State& state)
{
    Bitmap source = Picture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const auto destination = NewBitmap24(static_cast<int>(state.range(2)), static_cast<int>(state.range(3)));
    for (auto _ : state) {
        StretchBitmap(destination.get(), &source);
        benchmark::DoNotOptimize(destination->Bits());
        benchmark::ClobberMemory();
    }
    const double outputPixels = static_cast<double>(state.range(2)) * state.range(3);
    state.counters["Mpx/s"] =
        benchmark::Counter(outputPixels / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(Stretch)
    ->ArgNames({"sw", "sh", "dw", "dh"})
    ->Args({600, 400, 375, 250})
    ->Args({600, 400, 216, 144})
    ->Args({1200, 1700, 840, 1190})
    ->Args({1200, 1700, 600, 850})
    ->Args({1600, 1200, 1024, 768})
    ->Args({1600, 1200, 800, 600})
    ->Args({76, 46, 120, 73})
    // Sizes without common factors keep the divisors large: double precision.
    ->Args({1601, 1201, 1021, 767})
    ->Args({1601, 1201, 503, 401})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velmora
