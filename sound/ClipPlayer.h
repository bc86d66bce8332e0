#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "content/ContentItem.h"
#include "sound/AudioOutput.h"

namespace velmora {

// Scrambling constant of the ".cw" clip files.
inline constexpr std::uint32_t kClipKey = 0x5E17C3A9;

// A valid WAVE image of four silent 8-bit samples at 22,050 Hz: playing it
// only succeeds when nothing else plays, which is how the end of a clip is
// detected.
inline constexpr std::array<std::uint8_t, 48> kProbeClip = {
    'R', 'I', 'F', 'F', 40, 0, 0, 0, 'W', 'A', 'V', 'E',
    'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0,
    0x22, 0x56, 0, 0, 0x22, 0x56, 0, 0, 1, 0, 8, 0,
    'd', 'a', 't', 'a', 4, 0, 0, 0, 0x80, 0x80, 0x80, 0x80,
};

// Clip files larger than this are not read; a few minutes of any PCM
// format fit easily.
inline constexpr std::size_t kMaxClipFileSize = 128u * 1024u * 1024u;

// Restores the WAVE image of a clip file in place: a buffer of at least
// 44 bytes beginning with "riff" has its words 1 to min(100, (size - 4) / 4)
// XORed with (word index + kClipKey) and "RIFF" put back. Anything else is
// left as it is, so plain WAVE files play too.
void UnscrambleClip(std::span<std::uint8_t> clip);

// True when the item's clip file "Data\sou\<fileName>.cw" exists.
bool ItemSoundExists(const ContentItem& item);

// Reads the item's clip file whole into `clip` and unscrambles it. False,
// with `clip` empty, when the file cannot be read or is too large.
bool LoadClip(const ContentItem& item, std::vector<std::uint8_t>& clip);

// The program's clip player: plays an item's clip file, tells when it has
// ended, and reads and sets the output volume as a percentage. It keeps the
// last clip it started until the next one replaces it; a buffer is only ever
// released after the output has been stopped. The output must outlive it.
class ClipPlayer {
public:
    explicit ClipPlayer(AudioOutput& output) : output_(output) {}
    ~ClipPlayer();
    ClipPlayer(const ClipPlayer&) = delete;
    ClipPlayer& operator=(const ClipPlayer&) = delete;

    // Stops what plays and starts the item's clip; a missing or unreadable
    // file plays nothing. A null item does nothing at all.
    void PlayItemSound(const ContentItem* item);
    void StopSound();
    // Asks the output to play kProbeClip only if it is idle and waits 2 ms;
    // a playing clip goes on undisturbed.
    bool IsSoundPlaying();

    // Reads the output volume as ((left + right) / 2) * 100 / 65535; 0 and
    // unavailable when it cannot be read.
    void ReadVolume(std::int32_t& percentage);
    bool IsVolumeAvailable() const { return volumeAvailable_; }
    // Sets both channels to percentage * 65535 / 100 (low 16 bits).
    void SetVolume(std::int32_t percentage);

    // Stops playback, then releases the last clip (the end of the program).
    void StopAndReleaseClip();
    // The unscrambled image of the clip started last, if any.
    const std::vector<std::uint8_t>* CurrentClip() const;

private:
    AudioOutput& output_;
    std::optional<std::vector<std::uint8_t>> currentClip_;
    bool volumeAvailable_ = false;
};

}  // namespace velmora
