#include <gtest/gtest.h>

#include "core/LittleEndian.h"
#include "sound/WaveImage.h"
#include "support/WaveFiles.h"

namespace velmora {
namespace {

using test::Bytes;

bool Check(const Bytes& image)
{
    WaveFormat format;
    return CheckWaveImage(image, format);
}

void SetWord(Bytes& image, std::size_t offset, std::uint32_t value)
{
    StoreLittle32(image.data() + offset, value);
}

const Bytes kStereo = test::Pcm16Wave(2, 44100, {1, -1, 2, -2, 3, -3});

TEST(CheckWaveImage, ReadsTheFormatOfAWellFormedImage)
{
    WaveFormat format;
    ASSERT_TRUE(CheckWaveImage(kStereo, format));
    EXPECT_EQ(format.formatTag, 1);
    EXPECT_EQ(format.channels, 2);
    EXPECT_EQ(format.samplesPerSecond, 44100u);
    EXPECT_EQ(format.blockAlign, 4);
    EXPECT_EQ(format.bitsPerSample, 16);
}

TEST(CheckWaveImage, EveryTruncationIsRefused)
{
    for (std::size_t size = 0; size < kStereo.size(); ++size)
        EXPECT_FALSE(Check(Bytes(kStereo.begin(), kStereo.begin() + size))) << size << " bytes";
}

TEST(CheckWaveImage, SizesBeyondTheBufferAreRefused)
{
    Bytes riffTooLarge = kStereo;
    SetWord(riffTooLarge, 4, 0xFFFFFFF0);
    Bytes dataTooLarge = kStereo;
    SetWord(dataTooLarge, 40, 0x7FFFFFFF);
    Bytes formatTooLarge = kStereo;
    SetWord(formatTooLarge, 16, 0xFFFFFFFF);
    EXPECT_FALSE(Check(riffTooLarge));
    EXPECT_FALSE(Check(dataTooLarge));
    EXPECT_FALSE(Check(formatTooLarge));
}

TEST(CheckWaveImage, RiffSizesBelowTheFormTypeAreRefused)
{
    // A RIFF chunk of 0 to 3 bytes ends before "WAVE"; the chunk walk must not
    // start past its end and read beyond a short buffer.
    for (std::uint32_t riffSize = 0; riffSize < 4; ++riffSize) {
        Bytes shortRiff(kStereo.begin(), kStereo.begin() + 12);
        SetWord(shortRiff, 4, riffSize);
        EXPECT_FALSE(Check(shortRiff)) << riffSize;
        Bytes longerBuffer = kStereo;
        SetWord(longerBuffer, 4, riffSize);
        EXPECT_FALSE(Check(longerBuffer)) << riffSize;
    }
}

TEST(CheckWaveImage, SoundlessOrShapelessImagesAreRefused)
{
    Bytes notWave = kStereo;
    notWave[8] = 'X';
    Bytes noChannels = kStereo;
    noChannels[22] = 0;
    Bytes noBlock = kStereo;
    noBlock[32] = 0;
    EXPECT_FALSE(Check(test::Pcm16Wave(1, 8000, {})));
    EXPECT_FALSE(Check(test::WaveImage({test::kWavePcm, 2, 8000, 16}, {1, 2})));  // half a frame
    EXPECT_FALSE(Check(notWave));
    EXPECT_FALSE(Check(noChannels));
    EXPECT_FALSE(Check(noBlock));
    EXPECT_FALSE(Check(Bytes(48, 0)));
}

TEST(CheckWaveImage, OtherChunksAreSkippedWithTheirPadByte)
{
    // A 3-byte "LIST" chunk plus its pad byte between the format and the data.
    Bytes image(kStereo.begin(), kStereo.begin() + 36);
    const Bytes list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    image.insert(image.end(), list.begin(), list.end());
    image.insert(image.end(), kStereo.begin() + 36, kStereo.end());
    SetWord(image, 4, static_cast<std::uint32_t>(image.size() - 8));
    EXPECT_TRUE(Check(image));

    Bytes dataFirst(kStereo.begin(), kStereo.begin() + 12);
    dataFirst.insert(dataFirst.end(), kStereo.begin() + 36, kStereo.end());
    dataFirst.insert(dataFirst.end(), kStereo.begin() + 12, kStereo.begin() + 36);
    EXPECT_FALSE(Check(dataFirst)) << "data before the format";
}

TEST(CheckWaveImage, NamesWhatIsWrong)
{
    const auto with = [](std::size_t offset, std::uint32_t value) {
        Bytes image = kStereo;
        SetWord(image, offset, value);
        return image;
    };
    Bytes shortFormat = with(16, 12);
    Bytes noRate = with(24, 0);
    Bytes dataFirst(kStereo.begin(), kStereo.begin() + 12);
    dataFirst.insert(dataFirst.end(), kStereo.begin() + 36, kStereo.end());
    SetWord(dataFirst, 4, static_cast<std::uint32_t>(dataFirst.size() - 8));
    Bytes noData(kStereo.begin(), kStereo.begin() + 36);
    SetWord(noData, 4, 28);
    const struct {
        Bytes image;
        const char* reason;
    } rows[] = {
        {Bytes(48, 0), "no RIFF WAVE header"},
        {with(4, 2), "does not hold its form type"},
        {with(4, 0xFFFFFFF0), "runs past the end of the"},
        {with(40, 0x7FFFFFFF), "the chunk \"data\" at byte 36"},
        {shortFormat, "fewer than 16"},
        {with(20, 0x00000001), "no channels"},
        {noRate, "sample rate is 0"},
        {test::WaveImage({test::kWavePcm, 2, 8000, 16}, {1, 2}), "less than one block of 4"},
        {dataFirst, "before any format chunk"},
        {noData, "no data chunk"},
    };
    for (const auto& row : rows) {
        WaveFormat format;
        std::string reason;
        EXPECT_FALSE(CheckWaveImage(row.image, format, &reason)) << row.reason;
        EXPECT_NE(reason.find(row.reason), std::string::npos)
            << "expected \"" << row.reason << "\", got \"" << reason << "\"";
    }
}

}  // namespace
}  // namespace velmora
