#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sound/AudioOutput.h"

namespace velmora {

// A valid WAVE image of four silent 8-bit samples at 22,050 Hz: playing it
// only succeeds when nothing else plays, which is how the end of a clip is
// detected.
inline constexpr std::array<std::uint8_t, 48> kProbeClip = {
    'R',  'I',  'F', 'F', 40,   0,    0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0, 1,    0,    1,    0,
    0x22, 0x56, 0,   0,   0x22, 0x56, 0, 0, 1,   0,   8,   0,   'd', 'a', 't', 'a', 4,  0, 0, 0, 0x80, 0x80, 0x80, 0x80,
};

// The program's clip player: plays a clip file, tells when it has
// ended, and reads and sets the output volume as a percentage. It keeps the
// last clip it started until the next one replaces it; a buffer is only ever
// released after the output has been stopped. The output must outlive it.
class ClipPlayer {
public:
    explicit ClipPlayer(AudioOutput& output) : output_(output) {}
    ~ClipPlayer();
    ClipPlayer(const ClipPlayer&) = delete;
    ClipPlayer& operator=(const ClipPlayer&) = delete;

    // Stops what plays and starts the clip file at `clipPath` (a content
    // path); a missing or unreadable file plays nothing. The empty path names
    // no clip and does nothing at all.
    void PlayClip(const std::string& clipPath);
    void StopSound();
    // Asks the output to play kProbeClip only if it is idle and waits 2 ms;
    // a playing clip goes on undisturbed.
    bool IsSoundPlaying();

    // Reads the output volume as ((left + right) / 2) * 100 / 65535; 0 and
    // unavailable when it cannot be read.
    void ReadVolume(std::int32_t& percentage);
    bool IsVolumeAvailable() const { return volumeAvailable_; }
    // While the output is still opening, ReadVolume gives the volume as set
    // and calls it available; read it again once this is false.
    bool IsOutputOpening() const { return output_.IsOpening(); }
    // Sets both channels to percentage * 65535 / 100, the percentage clamped
    // to 0-100.
    void SetVolume(std::int32_t percentage);

    // Stops playback, then releases the last clip (the end of the program).
    void StopAndReleaseClip();

private:
    AudioOutput& output_;
    std::optional<std::vector<std::uint8_t>> currentClip_;
    bool volumeAvailable_ = false;
};

}  // namespace velmora
