// Decoding packed pictures and parsing the content file.

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "content/ContentSet.h"
#include "graphics/CoveragePicture.h"
#include "support/TestFiles.h"

namespace velmora {
namespace {

// A drawing-like picture: runs of background and ink with anti-aliased
// literal pixels at every edge, as a packer produces from line art.
std::vector<std::uint8_t> PackedPicture(int width, int height, unsigned literalShare)
{
    std::mt19937 random(1234);
    std::vector<std::uint8_t> packed;
    const std::size_t total = static_cast<std::size_t>(width) * height;
    std::size_t written = 0;
    while (written < total) {
        if (random() % 100 < literalShare) {
            packed.push_back(static_cast<std::uint8_t>(random() % 128));
            ++written;
        } else {
            const unsigned run = 3 + random() % 60;
            packed.push_back(static_cast<std::uint8_t>(0x80 | (random() % 2 ? 0x7F : 0x00)));
            packed.push_back(static_cast<std::uint8_t>(run - 3));
            written += run;
        }
    }
    return test::PackedTbb(width, height, packed);
}

void DecodePacked(benchmark::State& state)
{
    const auto file = PackedPicture(1024, 768, static_cast<unsigned>(state.range(0)));
    for (auto _ : state) {
        MemoryStream stream(file.data(), file.size());
        CoveragePicture image;
        if (!image.LoadFromStream(stream))
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(image.Data());
    }
    state.counters["pixels/s"] = benchmark::Counter(1024.0 * 768.0, benchmark::Counter::kIsIterationInvariantRate);
}
// The argument is the share of literal codes among all codes, in percent.
BENCHMARK(DecodePacked)->Arg(10)->Arg(50)->Arg(100)->Unit(benchmark::kMicrosecond);

// The check a load makes of a picture whose pixels wait for their first use.
void CheckPacked(benchmark::State& state)
{
    const auto file = PackedPicture(1024, 768, static_cast<unsigned>(state.range(0)));
    for (auto _ : state) {
        std::int32_t width = 0;
        std::int32_t height = 0;
        if (CoveragePicture::Check(file.data(), file.size(), width, height) != LoadError::None)
            state.SkipWithError("check failed");
        benchmark::DoNotOptimize(width);
    }
    state.counters["pixels/s"] = benchmark::Counter(1024.0 * 768.0, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(CheckPacked)->Arg(10)->Arg(50)->Arg(100)->Unit(benchmark::kMicrosecond);

std::string ContentFile(std::size_t targetSize)
{
    std::string text = "F\xA8\r\n@ generated for the benchmark @\r\n";
    for (int group = 0; text.size() < targetSize - 2000; ++group) {
        text += "#\"Grupa " + std::to_string(group) + "\" \"g" + std::to_string(group) + "\" B\r\n";
        text += " |\"Tytu\xB3 " + std::to_string(group) + "\" \"t" + std::to_string(group) + "\"\r\n";
        for (int item = 0; item < 10; ++item)
            text += " -\"S\xB3owo " + std::to_string(item) + "\" \"w" + std::to_string(group) + "_" +
                    std::to_string(item) + "\"\r\n";
    }
    text += "P\xA8\r\n";
    for (int page = 0; page < 20; ++page)
        text += " -\"Strona\" \"h" + std::to_string(page) + "\" \"10\"\r\n";
    text += "R\xA8 |\"IPA\" \"https://www.internationalphoneticassociation.org\" -\"s\" \"p1\"\r\n";
    return text;
}

void ParseContentFile(benchmark::State& state)
{
    const std::string text = ContentFile(200 * 1024);
    for (auto _ : state) {
        ContentSet data;
        data.LoadFromStream(MemoryStream(text.data(), text.size()));
        benchmark::DoNotOptimize(data.MenuItemCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ParseContentFile)->Unit(benchmark::kMillisecond);

// The densest content file of missing pictures (68,000 items, 26 names
// that no file has) over picture and clip folders of 20,000 files each: every
// missing name is looked up ignoring case, which must not re-read the folder
// each time. Goal: well under 10 s for the whole load.
void LoadResourcesOfMissingNamesInBigFolders(benchmark::State& state)
{
    test::TempDir dir;
    for (int i = 0; i < 20000; ++i) {
        dir.Write("Data/gra/f" + std::to_string(i) + ".tbb", std::string());
        dir.Write("Data/sou/f" + std::to_string(i) + ".cw", std::string());
    }
    std::string text = "F\xA8#ab";
    for (int i = 0; text.size() + 3 <= ContentSet::kMaxFileSize; ++i)
        text += std::string("-a") + static_cast<char>('a' + i % 26);
    test::CurrentDirGuard here(dir.Path());
    ContentSet data;
    data.LoadFromStream(MemoryStream(text.data(), text.size()));
    for (auto _ : state)
        benchmark::DoNotOptimize(data.LoadResources());
    state.counters["items"] = static_cast<double>(data.MenuItemAt(0)->ChildCount());
}
BENCHMARK(LoadResourcesOfMissingNamesInBigFolders)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace velmora
