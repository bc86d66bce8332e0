// What reaches the device: SDL's disk driver writes every buffer the
// callback fills to the file named by SDL_DISKAUDIOFILE.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/SdlAudioOutput.h"
#include "support/TestFiles.h"
#include "support/WaveFiles.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::Bytes;

constexpr int kRate = 48000;

struct Frame {
    std::int16_t left;
    std::int16_t right;
};

bool WaitUntil(const SdlAudioOutput& output, bool playing)
{
    const auto deadline = Clock::now() + 10s;
    while (output.IsPlaying() != playing && Clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    return output.IsPlaying() == playing;
}

bool IsSilent(const Frame& frame)
{
    return frame.left == 0 && frame.right == 0;
}

class SdlDiskOutput : public ::testing::Test {
protected:
    // Everything written after the first non-silent frame.
    std::vector<Frame> Written() const
    {
        const Bytes bytes = test::ReadBytes(file_);
        std::vector<Frame> frames(bytes.size() / sizeof(Frame));
        std::memcpy(frames.data(), bytes.data(), frames.size() * sizeof(Frame));
        const auto first = std::find_if_not(frames.begin(), frames.end(), IsSilent);
        return {first, frames.end()};
    }

    // Plays `image` to its end at `volume` and returns what was written.
    std::vector<Frame> Record(const Bytes& image, std::uint32_t volume) const
    {
        {
            SdlAudioOutput output;
            EXPECT_TRUE(output.IsAvailable());
            EXPECT_EQ(output.DeviceRate(), kRate);
            output.SetVolume(volume);
            EXPECT_TRUE(output.Play(image.data(), image.size()));
            EXPECT_TRUE(WaitUntil(output, false));
            // Let the last buffer reach the file before the device closes.
            std::this_thread::sleep_for(50ms);
        }
        return Written();
    }

    test::TempDir dir_;
    std::filesystem::path file_ = dir_.Path() / "device.raw";
    test::EnvGuard fileName_{"SDL_DISKAUDIOFILE", file_.string()};
};

void ExpectSilentFrom(const std::vector<Frame>& frames, std::size_t start)
{
    const auto loud = std::find_if_not(frames.begin() + static_cast<std::ptrdiff_t>(start), frames.end(), IsSilent);
    EXPECT_EQ(loud, frames.end()) << "sound at frame " << (loud - frames.begin());
}

TEST_F(SdlDiskOutput, ChannelsAreScaledSeparatelyToTheLastSample)
{
    const std::size_t count = kRate / 4;
    std::vector<std::int16_t> samples;
    for (std::size_t i = 0; i < count; ++i) {
        samples.push_back(static_cast<std::int16_t>(static_cast<int>(i * 7919 % 60000) - 30000));
        samples.push_back(static_cast<std::int16_t>(20000 - static_cast<int>(i * 104729 % 40000)));
    }
    const std::vector<Frame> written = Record(test::Pcm16Wave(2, kRate, samples), 0x7FFFFFFF);

    ASSERT_GE(written.size(), count);
    for (std::size_t i = 0; i < count; ++i) {
        ASSERT_EQ(written[i].left, samples[2 * i]) << "frame " << i;
        ASSERT_NEAR(written[i].right, samples[2 * i + 1] / 2, 1) << "frame " << i;
    }
    ExpectSilentFrom(written, count);
}

TEST_F(SdlDiskOutput, EightBitMonoReachesBothChannels)
{
    Bytes data;
    for (int i = 0; i < kRate / 5; ++i)
        data.push_back(static_cast<std::uint8_t>(i % 2 ? 255 - i % 100 : 1 + i % 100));
    const std::vector<Frame> written = Record(test::WaveImage({test::kWavePcm, 1, kRate, 8}, data), 0xFFFFFFFF);

    ASSERT_GE(written.size(), data.size());
    for (std::size_t i = 0; i < data.size(); ++i) {
        // SDL converts through 32-bit float: -1.0 to 1.0 onto -32767 to 32767.
        const double expected = (data[i] - 128) * 32767.0 / 128;
        ASSERT_NEAR(written[i].left, expected, 1.0) << "frame " << i;
        ASSERT_EQ(written[i].right, written[i].left) << "frame " << i;
    }
    ExpectSilentFrom(written, data.size());
}

TEST_F(SdlDiskOutput, ResampledClipsKeepTheirEnd)
{
    // 0.3 s of a constant level at 22,050 Hz, at half volume.
    const std::size_t frames = 6615;
    const std::size_t expected = frames * kRate / 22050;
    const std::vector<Frame> written =
        Record(test::WaveImage({test::kWavePcm, 1, 22050, 8}, Bytes(frames, 0xC0)), 0x7FFF7FFF);

    const auto loud = [](const Frame& frame) { return frame.left > 4096 && frame.right > 4096; };
    const auto end = std::find_if_not(written.begin(), written.end(), loud);
    EXPECT_NEAR(static_cast<double>(end - written.begin()), static_cast<double>(expected), 3.0);
    for (std::size_t i = 100; i + 100 < expected && i < written.size(); ++i) {
        ASSERT_NEAR(written[i].left, 8192, 164) << "frame " << i;
        ASSERT_EQ(written[i].left, written[i].right) << "frame " << i;
    }
    ExpectSilentFrom(written, expected + 8);
}

TEST_F(SdlDiskOutput, StopSilencesWithinOneBuffer)
{
    const std::size_t clipFrames = 3 * kRate;
    const Bytes clip = test::Pcm16Wave(2, kRate, std::vector<std::int16_t>(2 * clipFrames, 10000));
    Clock::duration playedFor{};
    int bufferFrames = 0;
    {
        SdlAudioOutput output;
        ASSERT_EQ(output.DeviceRate(), kRate);
        bufferFrames = output.BufferFrames();
        ASSERT_TRUE(output.Play(clip.data(), clip.size()));
        ASSERT_TRUE(WaitUntil(output, true));
        std::this_thread::sleep_for(100ms);
        while (!output.FirstSoundTime())
            std::this_thread::sleep_for(1ms);
        output.Stop();
        playedFor = Clock::now() - *output.FirstSoundTime();
        std::this_thread::sleep_for(100ms);
    }
    const std::vector<Frame> written = Written();
    const auto end = std::find_if(written.begin(), written.end(), IsSilent);
    const auto sounded = static_cast<std::size_t>(end - written.begin());
    ASSERT_LT(sounded, clipFrames);
    ExpectSilentFrom(written, sounded);
    // The driver takes one buffer per period, the first at the first sound;
    // after Stop, at most the buffer being filled may still carry sound.
    const auto periodMs = bufferFrames * 1000 / kRate;
    const auto periods = std::chrono::duration_cast<std::chrono::milliseconds>(playedFor).count() / periodMs;
    EXPECT_LE(sounded, static_cast<std::size_t>(periods + 2) * bufferFrames);
}

}  // namespace
}  // namespace velmora
