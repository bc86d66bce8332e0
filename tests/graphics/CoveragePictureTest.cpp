#include <gtest/gtest.h>

#include "core/MemoryStream.h"
#include "graphics/CoveragePicture.h"
#include "graphics/PackedPicture.h"
#include "support/TestFiles.h"

namespace velmora {
namespace {

using test::Bytes;
using test::PackedTbb;
using test::UnpackedTbb;

bool Load(CoveragePicture& image, const Bytes& file)
{
    MemoryStream stream(file.data(), file.size());
    return image.LoadFromStream(stream);
}

Bytes Pixels(const CoveragePicture& image)
{
    const auto count = static_cast<std::size_t>(image.Width()) * image.Height();
    return image.Data() ? Bytes(image.Data(), image.Data() + count) : Bytes{};
}

// A counting stream, to check that the loader issues at most five reads.
class CountingStream : public MemoryStream {
public:
    using MemoryStream::MemoryStream;
    std::size_t Read(void* buffer, std::size_t count) override
    {
        ++reads;
        return MemoryStream::Read(buffer, count);
    }
    int reads = 0;
};

TEST(CoveragePictureLoad, UnpackedPixelsAreTakenAsStored)
{
    CoveragePicture image;
    ASSERT_TRUE(Load(image, UnpackedTbb(1, 1, {0x80})));
    EXPECT_EQ(image.Width(), 1);
    EXPECT_EQ(image.Height(), 1);
    EXPECT_EQ(Pixels(image), Bytes{128});

    ASSERT_TRUE(Load(image, UnpackedTbb(3, 2, {1, 2, 3, 4, 5, 6, 99})));  // trailing byte never read
    EXPECT_EQ(Pixels(image), (Bytes{1, 2, 3, 4, 5, 6}));
}

TEST(CoveragePictureLoad, PackedLiteralsAndRunsAreExpanded)
{
    CoveragePicture image;
    ASSERT_TRUE(Load(image, PackedTbb(7, 1, {0x05, 0x83, 0x02, 0x7F})));
    EXPECT_EQ(Pixels(image), (Bytes{10, 6, 6, 6, 6, 6, 255}));
}

TEST(CoveragePictureLoad, PackedRunsCrossRowsAndTheLastRunIsCutAtTheEnd)
{
    CoveragePicture image;
    // 3 x 2: a run of 4 (two rows' worth crossing the row end), then a run of
    // 258 that is cut after the two pixels left.
    ASSERT_TRUE(Load(image, PackedTbb(3, 2, {0x81, 0x01, 0xFF, 0xFF})));
    EXPECT_EQ(Pixels(image), (Bytes{2, 2, 2, 2, 255, 255}));
}

TEST(CoveragePictureLoad, PackedStreamMustFillTheImageExactly)
{
    CoveragePicture image;
    EXPECT_FALSE(Load(image, PackedTbb(7, 1, {0x05, 0x83, 0x02, 0x7F, 0x01}))) << "input left over";
    EXPECT_FALSE(Load(image, PackedTbb(7, 1, {0x05, 0x83, 0x02, 0x7F, 0x80}))) << "image full first";
    EXPECT_FALSE(Load(image, PackedTbb(7, 1, {0x05, 0x83, 0x02, 0x85}))) << "count byte missing";
    EXPECT_FALSE(Load(image, PackedTbb(7, 1, {0x05, 0x83, 0x02}))) << "image not filled";
    // A failed load keeps the header's size and what was decoded, zeros elsewhere.
    EXPECT_EQ(image.Width(), 7);
    EXPECT_EQ(Pixels(image), (Bytes{10, 6, 6, 6, 6, 6, 0}));
}

TEST(CoveragePictureLoad, ZeroPackedLengthOnlyForAnEmptyImage)
{
    CoveragePicture image;
    EXPECT_TRUE(Load(image, PackedTbb(0, 0, 0, {})));
    EXPECT_TRUE(Load(image, PackedTbb(5, 0, 0, {})));
    EXPECT_FALSE(Load(image, PackedTbb(1, 1, 0, {})));
}

TEST(CoveragePictureLoad, AZeroDimensionGivesAnEmptyImage)
{
    CoveragePicture image;
    ASSERT_TRUE(Load(image, UnpackedTbb(0, 5, {})));
    EXPECT_EQ(image.Width(), 0);
    EXPECT_EQ(image.Height(), 0);
    EXPECT_EQ(image.Data(), nullptr);
}

TEST(CoveragePictureLoad, HeaderFailures)
{
    CoveragePicture image;
    EXPECT_FALSE(Load(image, Bytes{'T', 'B', 'B'})) << "shorter than the magic";
    EXPECT_FALSE(Load(image, Bytes{'t', 'b', 'b', '1', 1, 0, 0, 0, 1, 0, 0, 0, 0})) << "magic is case-sensitive";
    EXPECT_FALSE(Load(image, Bytes{'T', 'B', 'B', '1', 1, 0, 0})) << "short width";
    EXPECT_FALSE(Load(image, Bytes{'T', 'B', 'B', '1', 1, 0, 0, 0, 1})) << "short height";
    EXPECT_FALSE(Load(image, Bytes{'T', 'B', 'B', 's', 1, 0, 0, 0, 1, 0, 0, 0, 1})) << "short packed length";
    EXPECT_FALSE(Load(image, UnpackedTbb(-1, 1, {0})));
    EXPECT_FALSE(Load(image, UnpackedTbb(1, -1, {0})));
    EXPECT_FALSE(Load(image, UnpackedTbb(100001, 1, Bytes(100001))));
    EXPECT_FALSE(Load(image, UnpackedTbb(1, 100001, Bytes(100001))));
    EXPECT_FALSE(Load(image, UnpackedTbb(100000, 84, {}))) << "8,400,000 pixels";
    EXPECT_FALSE(Load(image, PackedTbb(1, 1, -1, {0})));
    EXPECT_FALSE(Load(image, PackedTbb(1, 1, 8388609, {0})));
    EXPECT_FALSE(Load(image, UnpackedTbb(2, 2, {1, 2, 3}))) << "pixel block short";
    EXPECT_FALSE(Load(image, PackedTbb(2, 2, 10, {0, 0, 0, 0}))) << "packed block short";
}

TEST(CoveragePictureLoad, DimensionProductIsCheckedWithoutOverflow)
{
    // 65,536 x 65,536 is 2^32: a 32-bit product wraps to 0 and would pass.
    CoveragePicture image;
    EXPECT_FALSE(Load(image, UnpackedTbb(65536, 65536, {})));
    EXPECT_FALSE(Load(image, PackedTbb(100000, 100000, 0, {})));
    EXPECT_EQ(image.Data(), nullptr);
}

TEST(CoveragePictureLoad, LargestImageIsAccepted)
{
    Bytes packed;
    // 4096 x 2048 = 8,388,608 pixels, all value 1 (stored 0x01 -> 2), in runs of 258.
    std::size_t left = 4096u * 2048u;
    while (left > 0) {
        packed.push_back(0x81);
        packed.push_back(0xFF);
        left -= std::min<std::size_t>(left, 258);
    }
    CoveragePicture image;
    ASSERT_TRUE(Load(image, PackedTbb(4096, 2048, packed)));
    EXPECT_EQ(image.Data()[0], 2);
    EXPECT_EQ(image.Data()[4096u * 2048u - 1], 2);
}

TEST(CoveragePictureLoad, FailedLoadNeverKeepsTheOlderPicture)
{
    CoveragePicture image;
    ASSERT_TRUE(Load(image, UnpackedTbb(2, 1, {7, 8})));
    EXPECT_FALSE(Load(image, Bytes{'X', 'X', 'X', 'X'}));
    EXPECT_EQ(image.Width(), 0);
    EXPECT_EQ(image.Data(), nullptr);
}

TEST(CoveragePictureLoad, ReadsInAtMostFiveCalls)
{
    const Bytes file = PackedTbb(7, 1, {0x05, 0x83, 0x02, 0x7F});
    CountingStream stream(file.data(), file.size());
    CoveragePicture image;
    ASSERT_TRUE(image.LoadFromStream(stream));
    EXPECT_LE(stream.reads, 5);
}

TEST(CoveragePictureLoad, FromFile)
{
    test::TempDir dir;
    const auto path = dir.Write("a.tbb", UnpackedTbb(2, 1, {3, 4}));
    CoveragePicture image;
    EXPECT_TRUE(image.LoadFromFile(path.string()));
    EXPECT_FALSE(image.LoadFromFile((dir.Path() / "missing.tbb").string()));
    EXPECT_FALSE(image.LoadFromFile(dir.Path().string())) << "a directory is no picture";
}

TEST(CoveragePicture, ExpandSevenBit)
{
    EXPECT_EQ(ExpandSevenBit(0), 0);
    EXPECT_EQ(ExpandSevenBit(64), 128);
    EXPECT_EQ(ExpandSevenBit(126), 252);
    EXPECT_EQ(ExpandSevenBit(127), 255);
}

TEST(CoveragePicture, SetSizeKeepsTheTopLeftOverlap)
{
    CoveragePicture image;
    image.SetSize(3, 2);
    std::copy_n(Bytes{1, 2, 3, 4, 5, 6}.begin(), 6, image.Data());
    image.SetSize(2, 3);
    EXPECT_EQ(Pixels(image), (Bytes{1, 2, 4, 5, 0, 0}));

    image.SetSize(4096, 2049);  // over the pixel limit: no change
    EXPECT_EQ(image.Width(), 2);

    image.SetSize(0, 7);  // the positive dimension is not stored
    EXPECT_EQ(image.Width(), 0);
    EXPECT_EQ(image.Height(), 3);
    EXPECT_EQ(image.Data(), nullptr);
}

TEST(CoveragePicture, AssignCopiesAndInvertTwiceRestores)
{
    CoveragePicture source;
    ASSERT_TRUE(Load(source, UnpackedTbb(2, 2, {0, 1, 200, 255})));
    CoveragePicture copy;
    copy.Assign(source);
    EXPECT_EQ(Pixels(copy), Pixels(source));

    copy.Invert();
    EXPECT_EQ(Pixels(copy), (Bytes{255, 254, 55, 0}));
    copy.Invert();
    EXPECT_EQ(Pixels(copy), Pixels(source));

    CoveragePicture empty;
    copy.Assign(empty);
    EXPECT_EQ(copy.Width(), 0);
    EXPECT_EQ(copy.Data(), nullptr);
}

TEST(CoveragePicturePaint, TwoColourBlendMatchesTheMarkerColours)
{
    CoveragePicture image;
    ASSERT_TRUE(Load(image, UnpackedTbb(4, 1, {128, 1, 254, 0})));
    const auto bitmap = image.CreateTwoColourBitmap(0xFFFFFF, 0x84A7B9);
    ASSERT_EQ(bitmap->Format(), PixelFormat::Bits24);
    const std::uint8_t* row = bitmap->ScanLine(0);
    // Stored blue, green, red.
    EXPECT_EQ((Bytes{row[0], row[1], row[2]}), (Bytes{194, 211, 220}));
    EXPECT_EQ((Bytes{row[3], row[4], row[5]}), (Bytes{255, 255, 255}));
    EXPECT_EQ((Bytes{row[6], row[7], row[8]}), (Bytes{133, 168, 186}));
    EXPECT_EQ((Bytes{row[9], row[10], row[11]}), (Bytes{255, 255, 255}));
}

TEST(CoveragePicturePaint, BlackToWhiteReproducesEveryValue)
{
    CoveragePicture image;
    Bytes all(256);
    for (int v = 0; v < 256; ++v)
        all[v] = static_cast<std::uint8_t>(v);
    ASSERT_TRUE(Load(image, UnpackedTbb(256, 1, all)));
    const auto twoColour = image.CreateTwoColourBitmap(0x000000, 0xFFFFFF);
    const auto grey = image.CreateGreyBitmap();
    for (int v = 0; v < 256; ++v) {
        for (int channel = 0; channel < 3; ++channel) {
            EXPECT_EQ(twoColour->ScanLine(0)[v * 3 + channel], v);
            EXPECT_EQ(grey->ScanLine(0)[v * 3 + channel], v);
        }
    }
}

TEST(CoveragePicturePaint, DrawToClipsAndKeepsTheFourthByte)
{
    CoveragePicture image;
    ASSERT_TRUE(Load(image, UnpackedTbb(5, 1, {10, 20, 30, 40, 50})));
    Bitmap target(4, 2, PixelFormat::Bits32);
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 4; ++col)
            target.ScanLine(row)[col * 4 + 3] = 0x77;

    image.DrawTo(&target, -3, 1, 0x000000, 0xFFFFFF);
    const std::uint8_t* row1 = target.ScanLine(1);
    EXPECT_EQ(row1[0], 40);
    EXPECT_EQ(row1[4], 50);
    EXPECT_EQ(row1[8], 0) << "past the image";
    EXPECT_EQ(row1[3], 0x77);
    EXPECT_EQ(target.ScanLine(0)[0], 0) << "row 0 untouched";

    Bitmap untouched(4, 1, PixelFormat::Bits24);
    image.DrawTo(&untouched, 4, 0, 0x000000, 0xFFFFFF);
    image.DrawTo(&untouched, 0, -1, 0x000000, 0xFFFFFF);
    image.DrawTo(nullptr, 0, 0, 0x000000, 0xFFFFFF);
    Bitmap eightBit(4, 1, PixelFormat::Bits8);
    image.DrawTo(&eightBit, 0, 0, 0x000000, 0xFFFFFF);
    for (int k = 0; k < 12; ++k)
        EXPECT_EQ(untouched.ScanLine(0)[k], 0);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(eightBit.ScanLine(0)[k], 0);
}

TEST(CoveragePicturePaint, EmptyImageGivesAnEmptyBitmap)
{
    CoveragePicture image;
    EXPECT_EQ(image.CreateGreyBitmap()->Width(), 0);
    EXPECT_EQ(image.CreateTwoColourBitmap(0, 0)->Height(), 0);
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

LoadError ReasonOf(const test::Bytes& file)
{
    MemoryStream stream(file.data(), file.size());
    CoveragePicture image;
    LoadError error = LoadError::None;
    const bool loaded = image.LoadFromStream(stream, &error);
    EXPECT_EQ(loaded, error == LoadError::None);
    return error;
}

TEST(CoveragePictureLoad, FailuresSayWhy)
{
    using test::Bytes;
    EXPECT_EQ(ReasonOf(test::PackedTbb(7, 1, {0x05, 0x83, 0x02, 0x7F})), LoadError::None);
    EXPECT_EQ(ReasonOf(Bytes{'T', 'B'}), LoadError::ShortData);
    EXPECT_EQ(ReasonOf(Bytes{'P', 'N', 'G', ' ', 0, 0, 0, 0}), LoadError::BadMagic);
    EXPECT_EQ(ReasonOf(test::UnpackedTbb(100001, 1, {})), LoadError::DimensionsOutOfRange);
    EXPECT_EQ(ReasonOf(test::UnpackedTbb(4096, 2049, {})), LoadError::DimensionsOutOfRange);
    EXPECT_EQ(ReasonOf(test::UnpackedTbb(2, 2, {1})), LoadError::ShortData);
    EXPECT_EQ(ReasonOf(test::PackedTbb(1, 1, -5, {})), LoadError::PackedLengthOutOfRange);
    EXPECT_EQ(ReasonOf(test::PackedTbb(2, 1, {1, 2, 3})), LoadError::PackedLeftOver);
    EXPECT_EQ(ReasonOf(test::PackedTbb(3, 1, {1, 2})), LoadError::PackedShort);
    EXPECT_EQ(ReasonOf(test::PackedTbb(3, 1, {1, 0x82})), LoadError::PackedShort) << "count byte missing";
    EXPECT_EQ(ReasonOf(test::PackedTbb(3, 1, 0, {})), LoadError::PackedShort);

    CoveragePicture image;
    LoadError error = LoadError::None;
    EXPECT_FALSE(image.LoadFromFile("/nonexistent/velmora/picture.tbb", &error));
    EXPECT_EQ(error, LoadError::NoFile);
    EXPECT_STREQ(LoadErrorText(LoadError::PackedLeftOver), "packed stream left over");
}

}  // namespace
}  // namespace velmora

#include <random>

namespace velmora {
namespace {

struct Reference {
    bool loaded = false;
    test::Bytes pixels;
};

// The packed format's decoding step by step as the format describes it: a
// zeroed store, the codes from a separate copy, the expansion afterwards.
Reference DecodeLiterally(std::int32_t width, std::int32_t height, const test::Bytes& codes)
{
    Reference result;
    const std::size_t total = static_cast<std::size_t>(width) * height;
    result.pixels.assign(total, 0);
    std::size_t i = 0;
    std::size_t p = 0;
    while (i < codes.size() && p < total) {
        const std::uint8_t c = codes[i++];
        if (c < 0x80) {
            result.pixels[p++] = c;
            continue;
        }
        if (i == codes.size())
            break;
        const int n = codes[i++] + 3;
        for (int k = 0; k < n && p < total; ++k)
            result.pixels[p++] = static_cast<std::uint8_t>(c - 0x80);
    }
    for (auto& v : result.pixels)
        v = ExpandSevenBit(v);
    result.loaded = i == codes.size() && p == total;
    return result;
}

// Random codes for `total` pixels, around the exact length: long literal
// stretches, runs of every length (long ones in every third round), streams
// that end early, overrun the picture or miss a count byte.
test::Bytes RandomCodes(std::mt19937& random, int round, std::size_t total)
{
    const unsigned runShare = random() % 4;  // none, few, half, most
    test::Bytes codes;
    for (std::size_t p = 0; p < total + random() % 6;) {
        if (random() % 4 < runShare) {
            const std::uint8_t count = static_cast<std::uint8_t>(random() % (round % 3 == 0 ? 256 : 6));
            codes.push_back(static_cast<std::uint8_t>(0x80 | (random() % 128)));
            codes.push_back(count);
            p += count + 3u;
        } else {
            codes.push_back(static_cast<std::uint8_t>(random() % 128));
            ++p;
        }
    }
    const std::size_t cut = random() % 5 == 0 ? random() % (codes.size() + 1) : codes.size();
    codes.resize(cut);
    return codes;
}

// The loader reads the codes into the picture's own store and expands them
// there; every pixel must come out as the literal decoding says, and an
// inverted load must differ only by 255 - v, and only when it loads.
TEST(CoveragePictureLoad, DecodingInPlaceMatchesTheLiteralDecoding)
{
    test::TempDir dir;
    std::mt19937 random(25);
    for (int round = 0; round < 250; ++round) {
        const std::int32_t width = 1 + static_cast<std::int32_t>(random() % 70);
        const std::int32_t height = 1 + static_cast<std::int32_t>(random() % 4);
        const test::Bytes codes = RandomCodes(random, round, static_cast<std::size_t>(width) * height);
        if (codes.empty())
            continue;

        const Reference expected = DecodeLiterally(width, height, codes);
        const auto path = dir.Write("p.tbb", test::PackedTbb(width, height, codes));
        CoveragePicture image;
        ASSERT_EQ(image.LoadFromFile(path.string()), expected.loaded) << "round " << round;
        ASSERT_EQ(Pixels(image), expected.pixels) << "round " << round;

        CoveragePicture inverted;
        ASSERT_EQ(inverted.LoadFromFile(path.string(), nullptr, CoveragePicture::Values::Inverted), expected.loaded);
        test::Bytes flipped = expected.pixels;
        if (expected.loaded)
            for (auto& v : flipped)
                v = static_cast<std::uint8_t>(255 - v);
        ASSERT_EQ(Pixels(inverted), flipped) << "round " << round;
    }
}

// The check a load makes of a picture it decodes later, against the decoder
// itself: on every input, hostile or not, both give the same reason and the
// same size.
TEST(CoveragePictureCheck, AgreesWithTheDecoder)
{
    using test::Bytes;
    struct Row {
        const char* what;
        Bytes file;
        LoadError reason;
    };
    const Bytes header = PackedTbb(1, 1, {1});
    // Literals are taken sixteen codes at a time: these cross the blocks.
    const Bytes stretch(20, 0x11);
    Bytes stretchThenCountMissing = stretch;
    stretchThenCountMissing.push_back(0x82);
    Bytes blocks(12, 0x22);  // then a run of 8 inside the first block, and 20 literals
    blocks.push_back(0x83);
    blocks.push_back(0x05);
    blocks.resize(34, 0x11);
    const std::vector<Row> rows = {
        {"no bytes at all", {}, LoadError::ShortData},
        {"the magic cut short", {'T', 'B', 'B'}, LoadError::ShortData},
        {"another magic", {'T', 'B', 'B', 'x', 1, 0, 0, 0, 1, 0, 0, 0, 2}, LoadError::BadMagic},
        {"the width cut short", Bytes(header.begin(), header.begin() + 6), LoadError::ShortData},
        {"the height missing", Bytes(header.begin(), header.begin() + 8), LoadError::ShortData},
        {"a negative width", UnpackedTbb(-1, 1, {0}), LoadError::DimensionsOutOfRange},
        {"a width over 100,000", UnpackedTbb(100001, 1, {}), LoadError::DimensionsOutOfRange},
        {"a negative height", PackedTbb(1, -5, 0, {}), LoadError::DimensionsOutOfRange},
        {"a height over 100,000", PackedTbb(1, 100001, 0, {}), LoadError::DimensionsOutOfRange},
        {"more pixels than 8 Mi", UnpackedTbb(4096, 2049, {}), LoadError::DimensionsOutOfRange},
        {"a pixel count past 32 bits", PackedTbb(65536, 65536, 0, {}), LoadError::DimensionsOutOfRange},
        {"the packed length missing", Bytes(header.begin(), header.begin() + 14), LoadError::ShortData},
        {"a negative packed length", PackedTbb(1, 1, -1, {0}), LoadError::PackedLengthOutOfRange},
        {"a packed length over 8 MiB", PackedTbb(1, 1, 8388609, {0}), LoadError::PackedLengthOutOfRange},
        {"codes short of their length", PackedTbb(2, 2, 10, {1, 1, 1, 1}), LoadError::ShortData},
        {"codes short of their length, and too many", PackedTbb(1, 1, 9, {1, 1, 1}), LoadError::ShortData},
        {"no codes for a pixel", PackedTbb(1, 1, 0, {}), LoadError::PackedShort},
        {"codes ending before the picture is full", PackedTbb(3, 1, {1, 2}), LoadError::PackedShort},
        {"a run's count missing", PackedTbb(3, 1, {1, 0x82}), LoadError::PackedShort},
        {"a run's count missing after a block", PackedTbb(40, 1, stretchThenCountMissing), LoadError::PackedShort},
        {"codes left over", PackedTbb(2, 1, {1, 2, 3}), LoadError::PackedLeftOver},
        {"more codes than pixels", PackedTbb(2, 1, {1, 2, 3, 4, 5}), LoadError::PackedLeftOver},
        {"a run cut at the end", PackedTbb(3, 2, {0x81, 0x01, 0xFF, 0xFF}), LoadError::None},
        {"a run past the end over codes not read", PackedTbb(3, 1, {0x81, 0x05, 0x01}), LoadError::PackedLeftOver},
        {"literals and runs across blocks", PackedTbb(40, 1, blocks), LoadError::None},
        {"literals only, a block and some", PackedTbb(20, 1, stretch), LoadError::None},
        {"bytes after the codes", PackedTbb(2, 1, 2, {1, 2, 0x80, 9}), LoadError::None},
        {"unpacked pixels short", UnpackedTbb(2, 2, {1, 2, 3}), LoadError::ShortData},
        {"unpacked pixels exact", UnpackedTbb(2, 2, {1, 2, 3, 4}), LoadError::None},
        {"bytes after the pixels", UnpackedTbb(2, 1, {1, 2, 3}), LoadError::None},
        {"an empty packed picture", PackedTbb(0, 0, 0, {}), LoadError::None},
        {"a zero width", UnpackedTbb(0, 5, {}), LoadError::None},
        {"a zero height with a code", PackedTbb(5, 0, {1}), LoadError::PackedLeftOver},
    };
    const auto agree = [](const std::string& what, const Bytes& file) {
        std::int32_t width = -1;
        std::int32_t height = -1;
        const LoadError checked = CoveragePicture::Check(file.data(), file.size(), width, height);
        MemoryStream stream(file.data(), file.size());
        CoveragePicture decoded;
        LoadError reason = LoadError::None;
        decoded.LoadFromStream(stream, &reason);
        EXPECT_EQ(checked, reason) << what;
        EXPECT_EQ(width, decoded.Width()) << what;
        EXPECT_EQ(height, decoded.Height()) << what;
        return checked;
    };
    for (const Row& row : rows)
        EXPECT_EQ(agree(row.what, row.file), row.reason) << row.what;

    // Random streams, and now and then a byte of the file (the header's too)
    // changed at random.
    std::mt19937 random(2025);
    for (int round = 0; round < 400; ++round) {
        const std::int32_t width = static_cast<std::int32_t>(random() % 70);
        const std::int32_t height = static_cast<std::int32_t>(random() % 4);
        Bytes file = PackedTbb(width, height, RandomCodes(random, round, static_cast<std::size_t>(width) * height));
        if (random() % 4 == 0)
            file[random() % file.size()] = static_cast<std::uint8_t>(random());
        agree("round " + std::to_string(round), file);
    }
}

}  // namespace
}  // namespace velmora

#include <filesystem>
#include <functional>
#include <thread>

#include "core/ReadBuffer.h"

namespace velmora {
namespace {

// A picture loaded on first use is decoded then, once, from the file as it
// is then, whichever of its uses comes first and however many threads reach
// it at once. A file that changed in between leaves the picture the size it
// was checked at: the new pixels when it still decodes at that size, all
// background (blank) when it no longer does.
TEST(CoveragePictureOnFirstUse, DecodesTheFileOnceWhenFirstUsed)
{
    using test::Bytes;
    namespace fs = std::filesystem;
    test::TempDir dir;
    std::mt19937 random(7);
    const auto picture = [&random] {
        Bytes codes;
        while (codes.size() < 90)
            codes.push_back(static_cast<std::uint8_t>(random() % 128));
        codes.insert(codes.end(), {0x85, 27});  // a run of 30
        return PackedTbb(40, 3, codes);
    };
    const Bytes first = picture();
    const Bytes second = picture();
    const Bytes cut(second.begin(), second.end() - 40);
    const Bytes small = PackedTbb(3, 1, {1, 2, 3});
    const Bytes blank(120, 0xFF);  // background, inverted

    using Use = std::function<void(const CoveragePicture&)>;
    const Use data = [](const CoveragePicture& image) { EXPECT_NE(image.Data(), nullptr); };
    const Use grey = [](const CoveragePicture& image) { EXPECT_EQ(image.CreateGreyBitmap()->Width(), 40); };
    const Use draw = [](const CoveragePicture& image) { (void)image.CreateTwoColourBitmap(0x000000, 0xFFFFFF); };
    const Use copy = [](const CoveragePicture& image) { EXPECT_EQ(CoveragePicture(image).Width(), 40); };
    struct Row {
        const char* what;
        std::function<void(const fs::path&)> change;  // between the load and the first use
        const Use& use;
        bool blank;  // else as LoadFromFile reads the file as it is at the first use
    };
    const std::vector<Row> rows = {
        {"unchanged", [](const fs::path&) {}, data, false},
        {"replaced by another picture of its size", [&](const fs::path&) { dir.Write("p.tbb", second); }, grey, false},
        {"cut short", [&](const fs::path&) { dir.Write("p.tbb", cut); }, draw, true},
        {"replaced by a picture of another size", [&](const fs::path&) { dir.Write("p.tbb", small); }, copy, true},
        {"removed", [](const fs::path& path) { fs::remove(path); }, data, true},
    };
    ReadBuffer buffer;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const fs::path path = dir.Write("p.tbb", first);
        CoveragePicture deferred;
        LoadError error = LoadError::Unreadable;
        ASSERT_TRUE(deferred.LoadOnFirstUse(path.string(), buffer, &error, CoveragePicture::Values::Inverted));
        EXPECT_EQ(error, LoadError::None);
        EXPECT_EQ(deferred.Width(), 40);
        EXPECT_EQ(deferred.Height(), 3);

        row.change(path);
        CoveragePicture eager;
        eager.LoadFromFile(path.string(), nullptr, CoveragePicture::Values::Inverted);
        const Bytes expected = row.blank ? blank : Pixels(eager);
        const CoveragePicture& shared = deferred;
        std::thread other([&] { row.use(shared); });
        row.use(shared);
        other.join();
        EXPECT_EQ(deferred.Width(), 40);
        EXPECT_EQ(deferred.Height(), 3);
        EXPECT_EQ(Pixels(deferred), expected);

        // Decoded once: a later change of the file is never seen.
        const std::uint8_t* decoded = shared.Data();
        dir.Write("p.tbb", second);
        EXPECT_EQ(shared.Data(), decoded);
        EXPECT_EQ(Pixels(deferred), expected);
    }

    // A file that fails the check is decoded at once, as LoadFromFile does.
    const fs::path path = dir.Write("p.tbb", cut);
    CoveragePicture broken;
    LoadError error = LoadError::None;
    EXPECT_FALSE(broken.LoadOnFirstUse(path.string(), buffer, &error, CoveragePicture::Values::Inverted));
    EXPECT_EQ(error, LoadError::ShortData);
    CoveragePicture eager;
    eager.LoadFromFile(path.string(), nullptr, CoveragePicture::Values::Inverted);
    dir.Write("p.tbb", second);
    EXPECT_EQ(broken.Width(), 40);
    EXPECT_EQ(Pixels(broken), Pixels(eager));
}

}  // namespace
}  // namespace velmora
