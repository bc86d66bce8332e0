#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <future>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "sound/AudioOutput.h"

namespace velmora {

struct SdlLibrary;

// The audio output on SDL2's default device, opened once for the object's
// lifetime as signed 16-bit stereo with a buffer of about 10 ms. Opening
// (loading SDL, connecting to the sound server, starting the device) can take
// a while on a desktop, so it goes on on a thread of its own, from
// construction or from StartOpening; anything that needs the device waits
// for it there, and starts it first if nothing has. Each WAVE image is
// decoded by SDL and converted to the device format when it is started;
// SDL's audio thread then copies it out with the channel volumes applied.
// When no device can be opened the output is unavailable and plays nothing;
// so does one where SDL2 is not installed.
class SdlAudioOutput final : public AudioOutput {
public:
    enum class Opening : unsigned char {
        AtOnce,
        // When StartOpening is called or the device is first needed: a
        // program keeps the opening's processor time off its first window.
        OnRequest,
    };

    explicit SdlAudioOutput(Opening opening = Opening::AtOnce);
    ~SdlAudioOutput() override;
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

    // Starts opening the device on its thread, unless that has begun.
    void StartOpening();

    bool Play(const std::uint8_t* image, std::size_t size) override;
    bool PlayIfIdle(const std::uint8_t* image, std::size_t size) override;
    void Stop() override;
    bool IsPlaying() const override;
    bool IsAvailable() const override;
    bool IsOpening() const override;
    bool GetVolume(std::uint32_t& volume) const override;
    void SetVolume(std::uint32_t volume) override;

    // Whether Play would play `image`: it decodes and converts as Play does,
    // without a device. For tools that check clip files: `reason`, when
    // given, receives why not, in SDL's own words where SDL refused it.
    static bool IsPlayable(const std::uint8_t* image, std::size_t size, std::string* reason = nullptr);

    // The device's sample rate and buffer length in frames; 0 when unavailable.
    int DeviceRate() const;
    int BufferFrames() const;
    // When the audio thread first handed the device a non-silent sample of
    // the sound started last; none before that. For latency measurements.
    std::optional<std::chrono::steady_clock::time_point> FirstSoundTime() const;

private:
    void Open();
    void AwaitOpening() const;
    void Start(std::vector<std::int16_t> samples);
    static void MixCallback(void* self, std::uint8_t* stream, int length) noexcept;
    void Mix(std::int16_t* out, std::size_t count);
    void NoteFirstSound(const std::int16_t* out, std::size_t count);

    const SdlLibrary* sdl_ = nullptr;  // null when SDL cannot be opened
    std::uint32_t device_ = 0;
    int rate_ = 0;
    int bufferFrames_ = 0;

    // Shared with the audio thread under mutex_.
    mutable std::mutex mutex_;
    std::vector<std::int16_t> samples_;  // interleaved left, right at the device rate
    std::size_t position_ = 0;
    bool playing_ = false;
    std::uint32_t volume_ = 0xFFFFFFFF;
    std::int64_t firstSoundTicks_ = 0;  // steady clock ticks; 0 until the first sound

    // sdl_, device_, rate_ and bufferFrames_ are set by the opening thread
    // before opened_ is ready, and read after it. Not valid before the
    // opening starts, nor when it was done on the constructing thread.
    std::shared_future<void> opened_;
    bool openingStarted_ = false;
};

}  // namespace velmora
