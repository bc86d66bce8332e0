#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "graphics/KernelLevel.h"
#include "graphics/Resample.h"

namespace velmora {
namespace {

// ---- A literal reference: every destination value straight from the sums
// of products, in 64-bit integers, with its own weight tables.

struct ReferenceEntry {
    std::int64_t first, weight0, weight1, divisor;
};

ReferenceEntry ReferenceInterpolationEntry(std::int64_t k, std::int64_t s, std::int64_t d)
{
    const std::int64_t g = ((2 * k + 1) * s + d) / (2 * d) - 1;
    if (g < 0)
        return {0, 1, 0, 1};
    if (g == s - 1)
        return {s - 2, 0, 1, 1};
    const std::int64_t w1 = (2 * k + 1) * s - (2 * g + 1) * d;
    return {g, 2 * d - w1, w1, 2 * d};
}

// Weight of source pixel x in destination pixel k when averaging s into d.
std::int64_t ReferenceAveragingWeight(std::int64_t x, std::int64_t k, std::int64_t s, std::int64_t d)
{
    const std::int64_t first = k * s / d;
    const std::int64_t last = ((k + 1) * s - 1) / d;
    if (x == first)
        return (first + 1) * d - k * s;
    if (x == last)
        return (k + 1) * s - last * d;
    return x > first && x < last ? d : 0;
}

int Channel(const Bitmap& bitmap, std::int64_t x, std::int64_t y, int c)
{
    return bitmap.ScanLine(static_cast<int>(y))[3 * x + c];
}

std::uint8_t ReferenceInterpolated(const Bitmap& source, int dw, int dh, int k, int m, int c)
{
    const ReferenceEntry col = ReferenceInterpolationEntry(k, source.Width(), dw);
    const ReferenceEntry row = ReferenceInterpolationEntry(m, source.Height(), dh);
    const std::int64_t sum = Channel(source, col.first, row.first, c) * col.weight0 * row.weight0 +
                             Channel(source, col.first + 1, row.first, c) * col.weight1 * row.weight0 +
                             Channel(source, col.first, row.first + 1, c) * col.weight0 * row.weight1 +
                             Channel(source, col.first + 1, row.first + 1, c) * col.weight1 * row.weight1;
    return static_cast<std::uint8_t>(sum / (col.divisor * row.divisor));
}

std::uint8_t ReferenceAveraged(const Bitmap& source, int dw, int dh, int k, int m, int c)
{
    const std::int64_t sw = source.Width(), sh = source.Height();
    std::int64_t sum = 0;
    for (std::int64_t y = m * sh / dh; y <= ((m + 1) * sh - 1) / dh; ++y)
        for (std::int64_t x = k * sw / dw; x <= ((k + 1) * sw - 1) / dw; ++x)
            sum += Channel(source, x, y, c) * ReferenceAveragingWeight(x, k, sw, dw) *
                   ReferenceAveragingWeight(y, m, sh, dh);
    return static_cast<std::uint8_t>(sum / (sw * sh));
}

enum class Method { nothing, interpolate, average };

// The choice between the methods, written out for every size combination.
Method ReferenceMethod(std::int64_t dw, std::int64_t dh, std::int64_t sw, std::int64_t sh)
{
    const bool belowHalf = dw < (sw + 1) / 2 || dh < (sh + 1) / 2;
    const bool shrinkable = dw >= 1 && dh >= 1 && sw >= 2 && sh >= 2;
    if (belowHalf || ((dw == 1 || dh == 1) && sw > dw && sh > dh)) {
        if (!shrinkable)
            return Method::nothing;
        if (dw < sw && dh < sh)
            return Method::average;
        if (dw >= sw && dh >= sh)
            return ReferenceMethod(dw, dh, sw, sh);
        return Method::nothing;
    }
    return dw >= 2 && dh >= 2 && sw >= 2 && sh >= 2 ? Method::interpolate : Method::nothing;
}

// Compares the destination rows `rows` (all rows when empty) with the
// reference; returns the first difference as a message, or "".
std::string CompareWithReference(const Bitmap& destination, const Bitmap& source, Method method,
                                 std::vector<int> rows = {})
{
    if (rows.empty())
        for (int m = 0; m < destination.Height(); ++m)
            rows.push_back(m);
    const int dw = destination.Width(), dh = destination.Height();
    for (const int m : rows) {
        for (int k = 0; k < dw; ++k) {
            for (int c = 0; c < 3; ++c) {
                const int expected = method == Method::interpolate ? ReferenceInterpolated(source, dw, dh, k, m, c)
                                                                   : ReferenceAveraged(source, dw, dh, k, m, c);
                const int actual = destination.ScanLine(m)[3 * k + c];
                if (expected != actual)
                    return "pixel (" + std::to_string(k) + ", " + std::to_string(m) + ") channel " + std::to_string(c) +
                           ": " + std::to_string(actual) + " instead of " + std::to_string(expected);
            }
        }
    }
    return "";
}

Bitmap RandomPicture(std::mt19937& random, int width, int height)
{
    Bitmap picture(width, height, PixelFormat::Bits24);
    // Four bytes from each draw: the largest pictures hold tens of millions.
    for (int row = 0; row < height; ++row) {
        std::uint8_t* bytes = picture.ScanLine(row);
        for (int i = 0; i < 3 * width; i += 4) {
            const std::uint32_t draw = random();
            for (int b = 0; b < 4 && i + b < 3 * width; ++b)
                bytes[i + b] = static_cast<std::uint8_t>(draw >> (8 * b));
        }
    }
    return picture;
}

void Fill(Bitmap& bitmap, std::uint8_t value)
{
    for (int row = 0; row < bitmap.Height(); ++row)
        std::fill(bitmap.ScanLine(row), bitmap.ScanLine(row) + bitmap.Stride(), value);
}

bool AllBytesAre(const Bitmap& bitmap, std::uint8_t value)
{
    for (int row = 0; row < bitmap.Height(); ++row)
        for (std::size_t i = 0; i < static_cast<std::size_t>(bitmap.Width()) * bitmap.BytesPerPixel(); ++i)
            if (bitmap.ScanLine(row)[i] != value)
                return false;
    return true;
}

// A grey picture from rows of levels.
Bitmap GreyPicture(const std::vector<std::vector<std::uint8_t>>& levels)
{
    Bitmap picture(static_cast<int>(levels[0].size()), static_cast<int>(levels.size()), PixelFormat::Bits24);
    for (std::size_t row = 0; row < levels.size(); ++row)
        for (std::size_t col = 0; col < levels[row].size(); ++col)
            for (int c = 0; c < 3; ++c)
                picture.ScanLine(static_cast<int>(row))[3 * col + c] = levels[row][col];
    return picture;
}

std::vector<std::vector<std::uint8_t>> GreyLevels(const Bitmap& picture)
{
    std::vector<std::vector<std::uint8_t>> levels(static_cast<std::size_t>(picture.Height()));
    for (int row = 0; row < picture.Height(); ++row)
        for (int col = 0; col < picture.Width(); ++col)
            levels[row].push_back(picture.ScanLine(row)[3 * col]);
    return levels;
}

// Runs a test at one kernel level, skipped where the processor lacks it, and
// restores the level afterwards.
class AtKernelLevel : public ::testing::TestWithParam<KernelLevel> {
protected:
    void SetUp() override
    {
        if (!SetKernelLevel(GetParam()))
            GTEST_SKIP() << "this processor lacks the " << KernelLevelName(GetParam()) << " level";
    }
    void TearDown() override { SetKernelLevel(previous_); }

private:
    KernelLevel previous_ = ActiveKernelLevel();
};

std::string LevelName(const ::testing::TestParamInfo<KernelLevel>& info)
{
    const std::string_view name = KernelLevelName(info.param);
    return name == "default" ? "portable" : std::string(name);
}

// ---- Weight tables

TEST(StretchTables, InterpolationEntries)
{
    using E = InterpolationEntry;
    EXPECT_EQ(InterpolationTable(2, 4), (std::vector<E>{{0, 1, 0, 1}, {0, 6, 2, 8}, {0, 2, 6, 8}, {0, 0, 1, 1}}));
    EXPECT_EQ(InterpolationTable(3, 5),
              (std::vector<E>{{0, 1, 0, 1}, {0, 6, 4, 10}, {1, 10, 0, 10}, {1, 4, 6, 10}, {1, 0, 1, 1}}));
    EXPECT_EQ(InterpolationTable(5, 3), (std::vector<E>{{0, 4, 2, 6}, {2, 6, 0, 6}, {3, 2, 4, 6}}));
    EXPECT_EQ(InterpolationTable(7, 7)[3], (E{3, 14, 0, 14})) << "equal sizes copy";
}

TEST(StretchTables, AveragingEntries)
{
    using E = AveragingEntry;
    EXPECT_EQ(AveragingTable(8, 3), (std::vector<E>{{0, 3, 2, 2}, {2, 1, 5, 1}, {5, 2, 7, 3}}));
}

TEST(StretchTables, HugeSizesDoNotOverflow)
{
    // (2k + 1) x s and (k + 1) x s are far beyond 32 bits here.
    EXPECT_EQ(InterpolationTable(1999999993, 3)[2], (InterpolationEntry{1666666660, 4, 2, 6}));
    EXPECT_EQ(AveragingTable(2000000000, 3)[1], (AveragingEntry{666666666, 1, 1333333333, 1}));
}

// ---- Pixels

TEST(StretchBitmap, InterpolatesTheWorkedExamples)
{
    Bitmap row = GreyPicture({{0, 100}, {0, 100}});
    auto wide = NewBitmap24(4, 2);
    StretchBitmap(wide.get(), &row);
    EXPECT_EQ(GreyLevels(*wide), (std::vector<std::vector<std::uint8_t>>{{0, 25, 75, 100}, {0, 25, 75, 100}}));

    Bitmap square = GreyPicture({{0, 100}, {200, 50}});
    auto grown = NewBitmap24(3, 3);
    StretchBitmap(grown.get(), &square);
    EXPECT_EQ(GreyLevels(*grown),
              (std::vector<std::vector<std::uint8_t>>{{0, 50, 100}, {100, 87, 75}, {200, 125, 50}}));
}

TEST(StretchBitmap, AveragesTheWorkedExample)
{
    Bitmap source = GreyPicture({{0, 40, 80, 120}, {0, 40, 80, 120}, {0, 40, 80, 120}, {0, 40, 80, 120}});
    auto one = NewBitmap24(1, 1);
    StretchBitmap(one.get(), &source);
    EXPECT_EQ(GreyLevels(*one)[0][0], 60);
}

TEST_P(AtKernelLevel, EqualSizesCopy)
{
    std::mt19937 random(5);
    Bitmap source = RandomPicture(random, 37, 11);
    auto copy = NewBitmap24(37, 11);
    StretchBitmap(copy.get(), &source);
    for (int row = 0; row < 11; ++row)
        EXPECT_TRUE(std::equal(source.ScanLine(row), source.ScanLine(row) + 3 * 37, copy->ScanLine(row)));
}

TEST_P(AtKernelLevel, ChoosesTheMethodBySize)
{
    std::mt19937 random(9);
    Bitmap square = RandomPicture(random, 100, 100);
    struct Case {
        int dw, dh;
        Method method;
    };
    for (const Case& c :
         {Case{30, 200, Method::nothing}, Case{60, 200, Method::interpolate}, Case{1, 5, Method::average},
          Case{49, 49, Method::average}, Case{50, 50, Method::interpolate}, Case{1, 100, Method::nothing}}) {
        SCOPED_TRACE(std::to_string(c.dw) + " x " + std::to_string(c.dh));
        ASSERT_EQ(ReferenceMethod(c.dw, c.dh, 100, 100), c.method);
        Bitmap destination(c.dw, c.dh, PixelFormat::Bits24);
        Fill(destination, 0xA5);
        StretchBitmap(&destination, &square);
        if (c.method == Method::nothing)
            EXPECT_TRUE(AllBytesAre(destination, 0xA5));
        else
            EXPECT_EQ(CompareWithReference(destination, square, c.method), "");
    }

    Bitmap thin = RandomPicture(random, 100, 1);
    Bitmap half(50, 1, PixelFormat::Bits24);
    Fill(half, 0xA5);
    StretchBitmap(&half, &thin);
    EXPECT_TRUE(AllBytesAre(half, 0xA5)) << "a source of height 1 is never resampled";
}

TEST(StretchBitmap, ShrinkHandsGrowthToStretchAndLeavesMixedSizes)
{
    std::mt19937 random(11);
    Bitmap source = RandomPicture(random, 20, 10);
    Bitmap grown(30, 15, PixelFormat::Bits24);
    ShrinkBitmap(&grown, &source);
    EXPECT_EQ(CompareWithReference(grown, source, Method::interpolate), "");

    Bitmap mixed(10, 15, PixelFormat::Bits24);
    Fill(mixed, 7);
    ShrinkBitmap(&mixed, &source);
    EXPECT_TRUE(AllBytesAre(mixed, 7));

    ShrinkBitmap(nullptr, &source);
    StretchBitmap(&grown, nullptr);
}

TEST(StretchBitmap, ConvertsBothBitmapsTo24BitWhenAMethodRuns)
{
    Bitmap source(4, 4, PixelFormat::Bits8);
    source.SetColourTable(GreyPalette());
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col)
            source.ScanLine(row)[col] = static_cast<std::uint8_t>(40 * col);
    Bitmap destination(1, 1, PixelFormat::Bits32);
    StretchBitmap(&destination, &source);
    EXPECT_EQ(source.Format(), PixelFormat::Bits24);
    ASSERT_EQ(destination.Format(), PixelFormat::Bits24);
    EXPECT_EQ(destination.ScanLine(0)[0], 60);

    Bitmap untouched(30, 200, PixelFormat::Bits32);
    Bitmap big(100, 100, PixelFormat::Bits8);
    StretchBitmap(&untouched, &big);
    EXPECT_EQ(untouched.Format(), PixelFormat::Bits32) << "nothing runs, nothing converts";
    EXPECT_EQ(big.Format(), PixelFormat::Bits8);
}

TEST_P(AtKernelLevel, MatchesTheReferenceOnRandomSizes)
{
    std::mt19937 random(2024);
    std::uniform_int_distribution<int> size(1, 260);
    std::uniform_int_distribution<int> thin(1, 4);
    int cases[3] = {0, 0, 0};
    for (int round = 0; round < 400; ++round) {
        // Every fourth case has a thin side, to reach the edge clamps and the
        // size combinations that write nothing.
        const int sw = round % 4 == 1 ? thin(random) : size(random);
        const int sh = round % 4 == 2 ? thin(random) : size(random);
        const int dw = round % 4 == 3 ? thin(random) : std::max(1, sw * size(random) / 130);
        const int dh = std::max(1, sh * size(random) / 130);
        SCOPED_TRACE(std::to_string(sw) + "x" + std::to_string(sh) + " to " + std::to_string(dw) + "x" +
                     std::to_string(dh));
        Bitmap source = RandomPicture(random, sw, sh);
        Bitmap destination(dw, dh, PixelFormat::Bits24);
        Fill(destination, 0x5A);
        StretchBitmap(&destination, &source);
        const Method method = ReferenceMethod(dw, dh, sw, sh);
        ++cases[static_cast<int>(method)];
        if (method == Method::nothing)
            ASSERT_TRUE(AllBytesAre(destination, 0x5A));
        else
            ASSERT_EQ(CompareWithReference(destination, source, method), "");
    }
    for (const int count : cases)
        EXPECT_GE(count, 40) << "every outcome is met often";
}

// Every number type the kernels can accumulate in is exact wherever it is
// used; forcing the wider ones onto small sizes checks their loops too.
TEST_P(AtKernelLevel, EveryArithmeticMatchesTheReference)
{
    std::mt19937 random(77);
    std::uniform_int_distribution<int> size(2, 90);
    for (const ResampleArithmetic arithmetic : {ResampleArithmetic::Single, ResampleArithmetic::Integer32,
                                                ResampleArithmetic::Double, ResampleArithmetic::WideInteger}) {
        for (int round = 0; round < 40; ++round) {
            const int sw = size(random), sh = size(random);
            Bitmap source = RandomPicture(random, sw, sh);
            Bitmap grown(std::max(2, sw * size(random) / 60), std::max(2, sh * size(random) / 60), PixelFormat::Bits24);
            SCOPED_TRACE(std::to_string(sw) + "x" + std::to_string(sh) + " to " + std::to_string(grown.Width()) + "x" +
                         std::to_string(grown.Height()));
            InterpolateBitmap24(grown, source, arithmetic);
            ASSERT_EQ(CompareWithReference(grown, source, Method::interpolate), "");
            Bitmap shrunk(1 + (sw - 1) * size(random) / 91, 1 + (sh - 1) * size(random) / 91, PixelFormat::Bits24);
            AverageBitmap24(shrunk, source, arithmetic);
            ASSERT_EQ(CompareWithReference(shrunk, source, Method::average), "");
        }
    }
}

std::vector<int> SampleRows(int height, int count)
{
    std::vector<int> rows{0, height - 1};
    for (int i = 1; i < count; ++i)
        rows.push_back(height * i / count);
    return rows;
}

// Sums beyond 32 bits: 255 x the source area when averaging, 1020 x the
// destination area when interpolating. The coprime sizes keep the divisor
// from shrinking, so the double-precision loops run as well. The last rows
// put the combined divisor just below 2^24, the top of the 32-bit integer
// range (4099 x 4093 = 16,777,207; (2 x 2047)^2 = 16,761,636), and the
// sizes the help and presentation windows ask for. The last two rows take
// the gathering loops: column weights too wide for 16 bits, and a filter
// over too many rows to keep filtered.
TEST_P(AtKernelLevel, LargeBitmapsStayExact)
{
    std::mt19937 random(4000);
    struct Case {
        int sw, sh, dw, dh;
        Method method;
    };
    for (const Case& c :
         {Case{4000, 3000, 900, 700, Method::average}, Case{4001, 2999, 901, 701, Method::average},
          Case{1000, 800, 1800, 1300, Method::interpolate}, Case{1001, 799, 1799, 1301, Method::interpolate},
          Case{4099, 4093, 1000, 1000, Method::average}, Case{1000, 1000, 2047, 2047, Method::interpolate},
          Case{1601, 1201, 503, 401, Method::average}, Case{1600, 1200, 683, 512, Method::average},
          Case{1200, 1700, 537, 761, Method::average}, Case{1200, 1700, 360, 510, Method::average},
          Case{2480, 3508, 840, 1188, Method::average}, Case{65539, 5, 32769, 2, Method::average},
          Case{300, 5000, 149, 39, Method::average}}) {
        SCOPED_TRACE(std::to_string(c.sw) + "x" + std::to_string(c.sh));
        Bitmap source = RandomPicture(random, c.sw, c.sh);
        Bitmap destination(c.dw, c.dh, PixelFormat::Bits24);
        StretchBitmap(&destination, &source);
        EXPECT_EQ(CompareWithReference(destination, source, c.method, SampleRows(c.dh, 12)), "");
    }
}

INSTANTIATE_TEST_SUITE_P(EveryLevel, AtKernelLevel, ::testing::ValuesIn(kAllKernelLevels), LevelName);

// A picture of nothing but 255 gives the largest sum the 32-bit integers
// hold, 255 x the divisor, at a divisor just below 2^24.
TEST_P(AtKernelLevel, FullWhiteAtTheTopOfTheIntegerRange)
{
    Bitmap white(4099, 4093, PixelFormat::Bits24);
    Fill(white, 255);
    Bitmap destination(1000, 1000, PixelFormat::Bits24);
    AverageBitmap24(destination, white, ResampleArithmetic::Integer32);
    EXPECT_TRUE(AllBytesAre(destination, 255));
}

// ---- Making destinations

TEST(NewBitmap24, IsZeroFilled24Bit)
{
    const auto bitmap = NewBitmap24(5, 2);
    EXPECT_EQ(bitmap->Format(), PixelFormat::Bits24);
    EXPECT_EQ(bitmap->Width(), 5);
    EXPECT_EQ(bitmap->Height(), 2);
    EXPECT_TRUE(AllBytesAre(*bitmap, 0));
    EXPECT_TRUE(NewBitmap24(0, 0)->Empty());
}

TEST(PrepareBitmap24, CreatesOrReusesTheObjectWithoutOldPixels)
{
    std::unique_ptr<Bitmap> bitmap;
    PrepareBitmap24(bitmap, 3, 2);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->Width(), 3);

    Bitmap* const object = bitmap.get();
    bitmap->SetFormat(PixelFormat::Bits32);
    Fill(*bitmap, 9);
    PrepareBitmap24(bitmap, 4, 4);
    EXPECT_EQ(bitmap.get(), object);
    EXPECT_EQ(bitmap->Format(), PixelFormat::Bits24);
    EXPECT_EQ(bitmap->Width(), 4);
    EXPECT_EQ(bitmap->Height(), 4);
    EXPECT_TRUE(AllBytesAre(*bitmap, 0));
}

// Each name VELMORA_KERNEL_LEVEL takes runs the kernels built for that level,
// by both methods: no x86 extension at all for "default", AVX2 without
// AVX-512 for "v3", AVX-512 for "avx512". A level the processor lacks is
// left out.
TEST(KernelLevelNames, EachNameRunsItsOwnKernels)
{
    struct Row {
        const char* name;
        const char* needs;
        const char* lacks;
    };
    const Row rows[] = {
        {"default", "", "avx"},
        {"v3", "avx2", "avx512"},
        {"avx512", "avx512f", "-"},
    };
    const KernelLevel previous = ActiveKernelLevel();
    const auto source = NewBitmap24(40, 30);
    const auto larger = NewBitmap24(90, 70);
    const auto smaller = NewBitmap24(17, 13);
    for (const Row& row : rows) {
        const std::optional<KernelLevel> level = ParseKernelLevel(row.name);
        ASSERT_TRUE(level.has_value()) << row.name;
        if (!SetKernelLevel(*level))
            continue;
        for (const bool interpolate : {true, false}) {
            NoteKernelsRun("none");
            if (interpolate)
                InterpolateBitmap24(*larger, *source);
            else
                AverageBitmap24(*smaller, *source);
            const std::string ran(LastKernelsRun());
            EXPECT_NE(ran, "none") << row.name;
            EXPECT_NE(ran.find(row.needs), std::string::npos) << row.name << " ran [" << ran << "]";
            EXPECT_EQ(ran.find(row.lacks), std::string::npos) << row.name << " ran [" << ran << "]";
        }
    }
    SetKernelLevel(previous);
}

}  // namespace
}  // namespace velmora
