#pragma once

#include <cstddef>
#include <cstdint>

namespace velmora {

// The sound output the program plays its clips on: whole in-memory WAVE
// images played asynchronously, one at a time, and a volume of the
// program's own. Every member is called from the user-interface thread.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;

    // Stops what plays and starts `image` (a complete WAVE image). Returns at
    // once; false, with nothing playing, when the image cannot be played or
    // there is no output. The image may be released after the call returns.
    virtual bool Play(const std::uint8_t* image, std::size_t size) = 0;
    // Plays `image` as Play does, but only when nothing plays: false when a
    // sound is playing, which then goes on untouched; true otherwise (even
    // when there is no output to play on).
    virtual bool PlayIfIdle(const std::uint8_t* image, std::size_t size) = 0;
    virtual void Stop() = 0;
    // True while a sound started here has not been played to its end.
    virtual bool IsPlaying() const = 0;

    // Whether there is an output whose volume can be read and set. An
    // output still being opened is waited for.
    virtual bool IsAvailable() const = 0;
    // True while the output is being opened on a thread of its own.
    virtual bool IsOpening() const { return false; }
    // The volume: left channel in the low 16 bits, right in the high 16 bits,
    // 0 silent to 0xFFFF full. False when there is no output; while the output
    // is opening, the volume as set so far, without waiting.
    virtual bool GetVolume(std::uint32_t& volume) const = 0;
    virtual void SetVolume(std::uint32_t volume) = 0;
};

}  // namespace velmora
