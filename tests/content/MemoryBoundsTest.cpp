// What the files the program reads may make it take: the content file, a
// packed picture and a clip at the largest sizes accepted stay within their
// bounds, and larger ones are refused before the memory is taken. Measured as
// the growth of the peak resident memory of this test process.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "content/ContentLayout.h"
#include "content/ContentSet.h"
#include "core/FileStream.h"
#include "graphics/CoveragePicture.h"
#include "graphics/PackedPicture.h"
#include "sound/ClipFile.h"
#include "support/TestFiles.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
constexpr long long kMiB = 1024 * 1024;
constexpr long long kMargin = 2 * kMiB;

long long StatusField(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::stoll(line.substr(std::string(field).size())) * 1024;
    }
    return -1;
}

// Peak resident memory grown since construction; the kernel's peak is reset
// through /proc/self/clear_refs.
class PeakGrowth {
public:
    PeakGrowth()
    {
        std::ofstream("/proc/self/clear_refs") << "5";
        start_ = StatusField("VmRSS:");
    }
    long long Bytes() const { return StatusField("VmHWM:") - start_; }

private:
    long long start_ = 0;
};

class MemoryBounds : public ::testing::Test {
protected:
    void SetUp() override
    {
#if defined(__SANITIZE_ADDRESS__)
        GTEST_SKIP() << "AddressSanitizer's quarantine and shadow memory hide the program's own use";
#endif
        if (StatusField("VmHWM:") < 0)
            GTEST_SKIP() << "no /proc/self/status here";
    }

    // A file of `size` bytes, sparse so that making it costs no memory.
    fs::path SparseFile(const std::string& relative, std::uintmax_t size, const std::string& head) const
    {
        const fs::path path = dir.Write(relative, head);
        fs::resize_file(path, size);
        return path;
    }

    // Writes a sparse clip file of `size` bytes and loads it as the program
    // does, noting how much memory the load took.
    bool LoadSparseClip(std::uintmax_t size, std::vector<std::uint8_t>& clip, long long& growthBytes) const
    {
        SparseFile("Data/sou/big.cw", size, "riff");
        test::CurrentDirGuard here(dir.Path());
        const PeakGrowth growth;
        const bool loaded = LoadClip(ClipContentPath("big"), clip);
        growthBytes = growth.Bytes();
        return loaded;
    }

    test::TempDir dir;
};

TEST_F(MemoryBounds, ContentFileOverTheLimitIsNotReadWhole)
{
    SparseFile("menl.dat", 512 * kMiB, "F\xA8");
    test::CurrentDirGuard here(dir.Path());
    ContentSet data;
    const PeakGrowth growth;
    EXPECT_THROW(data.LoadFromFile("menl.dat"), ContentError);
    EXPECT_LT(growth.Bytes(), kMargin);
}

TEST_F(MemoryBounds, DensestContentFileStaysSmall)
{
    // As many items as 200 KB can describe: each "-" with two empty names.
    std::string text = "F\xA8#\"\"\"\"";
    while (text.size() + 5 <= ContentSet::kMaxFileSize)
        text += "-\"\"\"\"";
    dir.Write("menl.dat", text);
    test::CurrentDirGuard here(dir.Path());
    ContentSet data;
    const PeakGrowth growth;
    data.LoadFromFile("menl.dat");
    EXPECT_GT(data.MenuItemAt(0)->ChildCount(), 40000);
    // About 41,000 items of some 200 bytes each, and the file itself.
    EXPECT_LT(growth.Bytes(), 16 * kMiB);
}

TEST_F(MemoryBounds, LargestPackedPictureTakesItsStoreOnly)
{
    const test::Bytes literals(static_cast<std::size_t>(CoveragePicture::kMaxPixels), 1);
    const fs::path path = dir.Write("big.tbb", test::PackedTbb(4096, 2048, literals));
    CoveragePicture image;
    const PeakGrowth growth;
    ASSERT_TRUE(image.LoadFromFile(path.string()));
    // The 8 MiB of packed codes are read into the 8 MiB of pixels and
    // expanded there.
    EXPECT_LT(growth.Bytes(), 8 * kMiB + kMargin);
    EXPECT_GT(growth.Bytes(), 7 * kMiB) << "the pixels are held";
}

TEST_F(MemoryBounds, PictureHeadersClaimingMoreAreRefusedFirst)
{
    const fs::path huge = dir.Write("huge.tbb", test::UnpackedTbb(100000, 100000, {}));
    const fs::path longStream = dir.Write("long.tbb", test::PackedTbb(1, 1, 0x7FFFFFFF, {0}));
    CoveragePicture image;
    const PeakGrowth growth;
    EXPECT_FALSE(image.LoadFromFile(huge.string()));
    EXPECT_FALSE(image.LoadFromFile(longStream.string()));
    EXPECT_LT(growth.Bytes(), kMargin);
}

TEST_F(MemoryBounds, ClipsOverTheLimitAreNotRead)
{
    std::vector<std::uint8_t> clip;
    long long growth = 0;
    EXPECT_FALSE(LoadSparseClip(kMaxClipFileSize + 1, clip, growth));
    EXPECT_LT(growth, kMargin);
}

TEST_F(MemoryBounds, LargestClipIsReadInOneBuffer)
{
    std::vector<std::uint8_t> clip;
    long long growth = 0;
    ASSERT_TRUE(LoadSparseClip(kMaxClipFileSize, clip, growth));
    EXPECT_EQ(clip.size(), kMaxClipFileSize);
    EXPECT_LT(growth, static_cast<long long>(kMaxClipFileSize) + kMargin);
}

TEST_F(MemoryBounds, ItemsNamingOnePictureHoldItOnce)
{
    // 100 items and the group's title naming one picture of 2896 x 2896:
    // one 8 MiB picture, not 101 copies of it.
    test::Bytes runs;
    for (std::size_t left = 2896u * 2896u; left > 0; left -= std::min<std::size_t>(left, kMaxRun)) {
        runs.push_back(static_cast<std::uint8_t>(kRunCode | 0x40));
        runs.push_back(static_cast<std::uint8_t>(std::min<std::size_t>(left, kMaxRun) - kMinRun));
    }
    dir.Write("Data/gra/big.tbb", test::PackedTbb(2896, 2896, runs));
    std::string text = "F\xA8#\"G\"\"big\"B";
    for (int i = 0; i < 100; ++i)
        text += "-\"w\"\"big\"";
    dir.Write("menl.dat", text);
    test::CurrentDirGuard here(dir.Path());
    ContentSet data;
    data.LoadFromFile("menl.dat");
    const PeakGrowth growth;
    ASSERT_TRUE(data.LoadResources());
    EXPECT_LT(growth.Bytes(), 8 * kMiB + 2 * kMargin);
}

TEST_F(MemoryBounds, APipeOrDeviceReadToItsCapIsHeldOnce)
{
    std::vector<std::uint8_t> bytes;
    const PeakGrowth growth;
    LoadError error = LoadError::None;
    EXPECT_FALSE(ReadWholeFile("/dev/zero", bytes, 64 * kMiB, &error, FileKinds::Any));
    EXPECT_EQ(error, LoadError::TooLarge);
    // Growing the buffer by doubling would have held 128 MiB at once.
    EXPECT_LT(growth.Bytes(), 64 * kMiB + kMargin);
}

}  // namespace
}  // namespace velmora
