// The SDL output on SDL's dummy driver, which takes buffers from the
// callback at the pace of a real device but plays them nowhere.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <random>
#include <thread>

#include "content/ContentItem.h"
#include "platform/SdlAudioOutput.h"
#include "sound/ClipPlayer.h"
#include "support/TestFiles.h"
#include "support/WaveFiles.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::Bytes;
using test::WaveFormat;

// Generous: the machines running the tests are often busy.
constexpr auto kPatience = 10s;

bool WaitUntil(const std::function<bool()>& condition, Clock::duration limit = kPatience)
{
    const auto deadline = Clock::now() + limit;
    while (!condition()) {
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

std::vector<std::int16_t> Square(std::size_t samples)
{
    std::vector<std::int16_t> wave(samples);
    for (std::size_t i = 0; i < samples; ++i)
        wave[i] = (i / 20) % 2 ? 8000 : -8000;
    return wave;
}

Bytes ToneWave(std::uint32_t rate, std::chrono::milliseconds length)
{
    return test::Pcm16Wave(1, rate, Square(rate * length.count() / 1000));
}

// A sound of `length` with every byte `value` in the given format.
Bytes FilledWave(const WaveFormat& format, std::chrono::milliseconds length, std::uint8_t value)
{
    const std::size_t bytes = format.rate * length.count() / 1000 * format.channels * format.bitsPerSample / 8;
    return test::WaveImage(format, Bytes(bytes, value));
}

// How long the output reports playing `image`, started now.
Clock::duration PlayingTime(SdlAudioOutput& output, const Bytes& image)
{
    const auto start = Clock::now();
    EXPECT_TRUE(output.Play(image.data(), image.size()));
    EXPECT_TRUE(output.IsPlaying());
    EXPECT_TRUE(WaitUntil([&] { return !output.IsPlaying(); })) << "never ended";
    return Clock::now() - start;
}

TEST(SdlAudioOutput, OpensTheDeviceWithASmallBufferAndFullVolume)
{
    SdlAudioOutput output;
    ASSERT_TRUE(output.IsAvailable());
    ASSERT_GT(output.DeviceRate(), 0);
    EXPECT_LE(output.BufferFrames() * 1000 / output.DeviceRate(), 20);
    std::uint32_t volume = 0;
    ASSERT_TRUE(output.GetVolume(volume));
    EXPECT_EQ(volume, 0xFFFFFFFFu);
    output.SetVolume(0x1234ABCD);
    ASSERT_TRUE(output.GetVolume(volume));
    EXPECT_EQ(volume, 0x1234ABCDu);
}

// An output told to open on request reports itself opening until it has,
// opens when asked to, and opens by itself when the device is first needed.
TEST(SdlAudioOutput, AnOutputOpenedOnRequestOpensWhenAskedOrNeeded)
{
    for (const bool asked : {true, false}) {
        SCOPED_TRACE(asked);
        SdlAudioOutput output(SdlAudioOutput::Opening::OnRequest);
        EXPECT_TRUE(output.IsOpening());
        if (asked)
            output.StartOpening();
        EXPECT_TRUE(output.IsAvailable());
        EXPECT_FALSE(output.IsOpening());
    }
}

TEST(SdlAudioOutput, EachFormatPlaysForAboutItsLength)
{
    SdlAudioOutput output;
    ASSERT_TRUE(output.IsAvailable());
    const std::pair<WaveFormat, std::uint8_t> formats[] = {
        {{test::kWavePcm, 1, 11025, 8}, 0xC0},    {{test::kWavePcm, 2, 44100, 16}, 0x40},
        {{test::kWavePcm, 1, 16000, 24}, 0x20},   {{test::kWavePcm, 2, 48000, 32}, 0x10},
        {{test::kWaveFloat, 1, 22050, 32}, 0x3E}, {{test::kWaveALaw, 1, 8000, 8}, 0x33},
        {{test::kWaveMuLaw, 2, 8000, 8}, 0x44},
    };
    const auto length = 200ms;
    for (const auto& [format, value] : formats) {
        SCOPED_TRACE(testing::Message() << "tag " << format.formatTag << ", " << format.bitsPerSample << " bits");
        const auto played = PlayingTime(output, FilledWave(format, length, value));
        // The dummy driver sleeps whole milliseconds per buffer and so runs
        // a little fast; it can never run much faster than the device would.
        EXPECT_GE(played, length * 3 / 4);
    }
}

TEST(SdlAudioOutput, TheProbeNeverInterruptsAPlayingClip)
{
    test::TempDir dir;
    test::CurrentDirGuard guard(dir.Path());
    const auto length = 500ms;
    dir.Write("Data/sou/slowo.cw", test::ScrambleClip(ToneWave(22050, length)));
    ContentItem item;
    item.fileName = "slowo";

    SdlAudioOutput output;
    ASSERT_TRUE(output.IsAvailable());
    ClipPlayer sounds(output);
    sounds.PlayClip(item.ClipPath());
    const auto start = Clock::now();
    int probes = 0;
    while (sounds.IsSoundPlaying() && Clock::now() - start < kPatience) {
        ++probes;
        std::this_thread::sleep_for(5ms);
    }
    const auto played = Clock::now() - start;
    EXPECT_GE(played, length * 3 / 4) << "after " << probes << " probes";
    EXPECT_LT(played, kPatience);
    EXPECT_GT(probes, 10);
    sounds.StopAndReleaseClip();
}

TEST(SdlAudioOutput, StopEndsTheClipAtOnce)
{
    SdlAudioOutput output;
    ASSERT_TRUE(output.IsAvailable());
    const Bytes clip = ToneWave(44100, 2000ms);
    ASSERT_TRUE(output.Play(clip.data(), clip.size()));
    ASSERT_TRUE(WaitUntil([&] { return output.FirstSoundTime().has_value(); }));
    output.Stop();
    EXPECT_FALSE(output.IsPlaying());
    EXPECT_TRUE(output.PlayIfIdle(kProbeClip.data(), kProbeClip.size())) << "the output is idle again";
}

TEST(SdlAudioOutput, ANewClipReplacesThePlayingOne)
{
    SdlAudioOutput output;
    ASSERT_TRUE(output.IsAvailable());
    const Bytes longClip = ToneWave(22050, 5000ms);
    ASSERT_TRUE(output.Play(longClip.data(), longClip.size()));
    std::this_thread::sleep_for(30ms);
    EXPECT_LT(PlayingTime(output, ToneWave(8000, 100ms)), 3s);
}

TEST(SdlAudioOutput, ImagesThatCannotPlayPlayNothing)
{
    SdlAudioOutput output;
    ASSERT_TRUE(output.IsAvailable());
    const Bytes valid = ToneWave(8000, 10ms);
    std::vector<Bytes> bad = {
        {},
        Bytes(valid.begin(), valid.begin() + 43),
        Bytes(valid.begin(), valid.end() - 1),
        test::Pcm16Wave(2, 8000, {}),
        test::WaveImage({test::kWavePcm, 2, 8000, 16}, {1, 2}),      // half a frame
        test::WaveImage({0x7777, 1, 8000, 16}, Bytes(64, 1)),        // unknown format
        test::WaveImage({2, 1, 8000, 4}, Bytes(256, 0x5A)),          // ADPCM without coefficients
        test::WaveImage({test::kWavePcm, 1, 1, 8}, Bytes(4096, 1)),  // over an hour at 1 Hz
        test::WaveImage({test::kWavePcm, 1, 8000, 12}, Bytes(64, 1)),
        Bytes(200, 0x41),
    };
    Bytes dataTooLarge = valid;
    dataTooLarge[40] = 0xFF;
    dataTooLarge[43] = 0x7F;
    bad.push_back(dataTooLarge);
    for (std::size_t i = 0; i < bad.size(); ++i) {
        EXPECT_FALSE(output.Play(bad[i].data(), bad[i].size())) << "image " << i;
        EXPECT_FALSE(output.IsPlaying()) << "image " << i;
    }
    EXPECT_FALSE(output.Play(nullptr, 0));
}

TEST(SdlAudioOutput, SourceRatesOutsideRealRecordingsAreRefusedWithTheReason)
{
    // Below 4,000 Hz a few bytes would last minutes and convert to hundreds
    // of megabytes; SDL's own refusals keep SDL's words.
    const struct {
        WaveFormat format;
        bool playable;
        const char* reason;
    } rows[] = {
        {{test::kWavePcm, 1, 1, 8}, false, "sample rate 1 Hz is outside 4000 to 384000 Hz"},
        {{test::kWavePcm, 1, 3999, 8}, false, "sample rate 3999 Hz"},
        {{test::kWavePcm, 1, 4000, 8}, true, ""},
        {{test::kWavePcm, 2, 384000, 16}, true, ""},
        {{test::kWavePcm, 1, 384001, 8}, false, "sample rate 384001 Hz"},
        {{0x7777, 1, 8000, 16}, false, "SDL refuses it: "},
    };
    for (const auto& row : rows) {
        const Bytes image = FilledWave(row.format, 1000ms, 0x40);
        std::string reason;
        EXPECT_EQ(SdlAudioOutput::IsPlayable(image.data(), image.size(), &reason), row.playable) << row.format.rate;
        EXPECT_NE(reason.find(row.reason), std::string::npos) << "got \"" << reason << "\"";
    }
}

TEST(SdlAudioOutput, DamagedHeadersAreSurvived)
{
    SdlAudioOutput output;
    ASSERT_TRUE(output.IsAvailable());
    const Bytes valid = FilledWave({test::kWavePcm, 2, 22050, 16}, 5ms, 0x11);
    std::mt19937 random(2024);
    int played = 0;
    for (int round = 0; round < 5000; ++round) {
        Bytes image = valid;
        // Damage the header fields after "WAVE", now and then the length too.
        for (int changes = 1 + round % 3; changes > 0; --changes)
            image[12 + random() % 32] = static_cast<std::uint8_t>(random());
        if (round % 5 == 0)
            image.resize(image.size() - random() % 8);
        if (output.Play(image.data(), image.size())) {
            ++played;
            output.Stop();
        }
        ASSERT_FALSE(output.IsPlaying());
    }
    EXPECT_GT(played, 0) << "some damage leaves a playable image";
}

TEST(SdlAudioOutput, WithoutADeviceNothingPlaysAndTheVolumeIsUnavailable)
{
    test::EnvGuard driver("SDL_AUDIODRIVER", "no-such-driver");
    SdlAudioOutput output;
    ASSERT_FALSE(output.IsAvailable());
    const Bytes clip = ToneWave(8000, 100ms);
    EXPECT_FALSE(output.Play(clip.data(), clip.size()));
    EXPECT_FALSE(output.IsPlaying());
    std::uint32_t volume = 0;
    EXPECT_FALSE(output.GetVolume(volume));

    test::TempDir dir;
    test::CurrentDirGuard guard(dir.Path());
    dir.Write("Data/sou/a.cw", test::ScrambleClip(clip));
    ContentItem item;
    item.fileName = "a";
    ClipPlayer sounds(output);
    std::int32_t percentage = 50;
    sounds.ReadVolume(percentage);
    EXPECT_EQ(percentage, 0);
    EXPECT_FALSE(sounds.IsVolumeAvailable());
    sounds.PlayClip(item.ClipPath());
    EXPECT_FALSE(sounds.IsSoundPlaying()) << "a repetition must not wait forever";
}

}  // namespace
}  // namespace velmora
