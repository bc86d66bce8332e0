#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "content/ContentLayout.h"
#include "core/ContentPath.h"
#include "core/LittleEndian.h"
#include "sound/ClipFile.h"
#include "sound/ClipPlayer.h"
#include "support/FakeAudioOutput.h"
#include "support/TestFiles.h"
#include "support/WaveFiles.h"

namespace velmora {
namespace {

using test::Bytes;
using test::FakeAudioOutput;

// "riff" followed by zero bytes: once unscrambled, word k holds k + kClipKey.
Bytes ZeroClip(std::size_t size)
{
    Bytes clip(size, 0);
    std::copy_n("riff", 4, clip.begin());
    return clip;
}

void ExpectUnscrambledWords(const Bytes& clip, std::size_t words)
{
    EXPECT_EQ(std::string(clip.begin(), clip.begin() + 4), "RIFF");
    for (std::size_t k = 1; k <= words; ++k)
        ASSERT_EQ(ReadLittle32(clip.data() + 4 * k), k + 0x5E17C3A9u) << "word " << k;
    for (std::size_t i = 4 + 4 * words; i < clip.size(); ++i)
        ASSERT_EQ(clip[i], 0) << "byte " << i << " is past the scrambled words";
}

TEST(UnscrambleClip, WordCountFollowsTheSizeUpToOneHundred)
{
    const std::pair<std::size_t, std::size_t> cases[] = {{44, 10}, {45, 10},   {46, 10},   {47, 10},
                                                         {48, 11}, {404, 100}, {405, 100}, {1000, 100}};
    for (const auto& [size, words] : cases) {
        SCOPED_TRACE(size);
        Bytes clip = ZeroClip(size);
        UnscrambleClip(clip);
        ExpectUnscrambledWords(clip, words);
    }
}

TEST(UnscrambleClip, ShortOrUnmarkedBuffersStayAsStored)
{
    const Bytes tooShort = ZeroClip(43);
    Bytes plainWave = ZeroClip(1000);
    std::copy_n("RIFF", 4, plainWave.begin());
    Bytes otherMark = ZeroClip(100);
    otherMark[3] = 'F';
    for (Bytes clip : {tooShort, plainWave, otherMark, Bytes{}}) {
        const Bytes stored = clip;
        UnscrambleClip(clip);
        EXPECT_EQ(clip, stored);
    }
}

TEST(UnscrambleClip, UndoesTheContentToolsScrambling)
{
    std::mt19937 random(7);
    for (const std::size_t size : {44u, 45u, 47u, 100u, 403u, 404u, 405u, 4096u}) {
        Bytes image(size);
        for (auto& byte : image)
            byte = static_cast<std::uint8_t>(random());
        std::copy_n("RIFF", 4, image.begin());
        Bytes clip = test::ScrambleClip(image);
        ASSERT_NE(clip, image);
        UnscrambleClip(clip);
        EXPECT_EQ(clip, image) << size << " bytes";
    }
}

// A player over a fake output, run inside a fresh content directory.
class ClipPlayerTest : public ::testing::Test {
protected:
    ClipPlayerTest() : guard_(dir_.Path()) {}

    test::TempDir dir_;
    test::CurrentDirGuard guard_;
    FakeAudioOutput output_;
    ClipPlayer sounds_{output_};
};

TEST_F(ClipPlayerTest, PlaysTheUnscrambledClipOfTheItem)
{
    const Bytes wave = test::Pcm16Wave(1, 22050, std::vector<std::int16_t>(300, 1234));
    dir_.Write("Data/sou/kot.cw", test::ScrambleClip(wave));
    sounds_.PlayClip(ClipContentPath("kot"));

    ASSERT_EQ(output_.Played().size(), 1u);
    EXPECT_EQ(output_.Played()[0], wave);
    EXPECT_EQ(output_.StopCount(), 1) << "what played is stopped first";
    EXPECT_TRUE(output_.IsPlaying());
}

TEST_F(ClipPlayerTest, ClipNamesAreMatchedIgnoringCase)
{
    const Bytes wave = test::Pcm16Wave(2, 44100, std::vector<std::int16_t>(64, -5));
    dir_.Write("data/SOU/Pies.CW", test::ScrambleClip(wave));
    EXPECT_TRUE(ContentFileExists(ClipContentPath("pies")));
    sounds_.PlayClip(ClipContentPath("pies"));
    ASSERT_EQ(output_.Played().size(), 1u);
    EXPECT_EQ(output_.Played()[0], wave);
}

TEST_F(ClipPlayerTest, AMissingClipStopsWhatPlays)
{
    const Bytes wave = test::Pcm16Wave(1, 8000, std::vector<std::int16_t>(20, 1));
    dir_.Write("Data/sou/a.cw", wave);
    sounds_.PlayClip(ClipContentPath("a"));
    ASSERT_TRUE(output_.IsPlaying());

    EXPECT_FALSE(ContentFileExists(ClipContentPath("missing")));
    sounds_.PlayClip(ClipContentPath("missing"));
    EXPECT_FALSE(output_.IsPlaying());
    EXPECT_EQ(output_.StopCount(), 2);
    EXPECT_EQ(output_.Played().size(), 1u);
}

TEST_F(ClipPlayerTest, ADirectoryIsNoClip)
{
    std::filesystem::create_directories(dir_.Path() / "Data/sou/dir.cw");
    EXPECT_FALSE(ContentFileExists(ClipContentPath("dir")));
    sounds_.PlayClip(ClipContentPath("dir"));
    EXPECT_TRUE(output_.Played().empty());
}

TEST_F(ClipPlayerTest, TheEmptyPathDoesNothing)
{
    sounds_.PlayClip("");
    EXPECT_EQ(output_.StopCount(), 0);
    EXPECT_TRUE(output_.Played().empty());
}

TEST_F(ClipPlayerTest, AnEmptyFileBecomesAnEmptyClip)
{
    dir_.Write("Data/sou/empty.cw", Bytes{});
    sounds_.PlayClip(ClipContentPath("empty"));
    ASSERT_EQ(output_.Played().size(), 1u);
    EXPECT_TRUE(output_.Played()[0].empty());
}

TEST_F(ClipPlayerTest, ReleasingTheClipStopsFirst)
{
    dir_.Write("Data/sou/a.cw", test::Pcm16Wave(1, 8000, {1, 2, 3}));
    sounds_.PlayClip(ClipContentPath("a"));
    sounds_.StopAndReleaseClip();
    EXPECT_FALSE(output_.IsPlaying());
}

TEST_F(ClipPlayerTest, TheProbeTellsAPlayingClipWithoutDisturbingIt)
{
    EXPECT_FALSE(sounds_.IsSoundPlaying());
    EXPECT_EQ(output_.IdleProbeCount(), 1);

    dir_.Write("Data/sou/a.cw", test::Pcm16Wave(1, 8000, {1, 2, 3}));
    sounds_.PlayClip(ClipContentPath("a"));
    const int stops = output_.StopCount();
    EXPECT_TRUE(sounds_.IsSoundPlaying());
    EXPECT_TRUE(sounds_.IsSoundPlaying());
    EXPECT_TRUE(output_.IsPlaying());
    EXPECT_EQ(output_.StopCount(), stops);
    EXPECT_EQ(output_.Played().size(), 1u);

    output_.FinishPlaying();
    EXPECT_FALSE(sounds_.IsSoundPlaying());
    EXPECT_EQ(output_.ProbeCount(), 4);
    EXPECT_EQ(output_.IdleProbeCount(), 2);
}

TEST_F(ClipPlayerTest, VolumePercentagesAndTheirDeviceValues)
{
    // Percentages outside 0-100 are clamped: 101 % must not wrap to near
    // silence, nor a negative one to near full volume.
    const std::tuple<std::int32_t, std::uint32_t, std::int32_t> cases[] = {{50, 0x7FFF7FFF, 49},
                                                                           {100, 0xFFFFFFFF, 100},
                                                                           {0, 0, 0},
                                                                           {1, 0x028F028F, 0},
                                                                           {99, 0xFD6FFD6F, 98},
                                                                           {101, 0xFFFFFFFF, 100},
                                                                           {1'000'000, 0xFFFFFFFF, 100},
                                                                           {INT32_MAX, 0xFFFFFFFF, 100},
                                                                           {-1, 0, 0},
                                                                           {INT32_MIN, 0, 0}};
    for (const auto& [set, written, readBack] : cases) {
        SCOPED_TRACE(set);
        sounds_.SetVolume(set);
        EXPECT_EQ(output_.Volume(), written);
        std::int32_t percentage = -1;
        sounds_.ReadVolume(percentage);
        EXPECT_EQ(percentage, readBack);
        EXPECT_TRUE(sounds_.IsVolumeAvailable());
    }
}

TEST_F(ClipPlayerTest, ChannelsAreAveragedWhenRead)
{
    std::int32_t percentage = -1;
    output_.SetDeviceVolume(0x0000FFFF);
    sounds_.ReadVolume(percentage);
    EXPECT_EQ(percentage, 49);
    output_.SetDeviceVolume(0xFFFF0000);
    sounds_.ReadVolume(percentage);
    EXPECT_EQ(percentage, 49);
}

TEST_F(ClipPlayerTest, WithoutAnOutputTheVolumeIsUnavailable)
{
    std::int32_t percentage = 0;
    sounds_.ReadVolume(percentage);
    ASSERT_TRUE(sounds_.IsVolumeAvailable());

    output_.SetAvailable(false);
    percentage = 77;
    sounds_.ReadVolume(percentage);
    EXPECT_EQ(percentage, 0);
    EXPECT_FALSE(sounds_.IsVolumeAvailable());
}

}  // namespace
}  // namespace velmora
