#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace velmora {

// Clip files (".cw") are WAVE images whose beginning is scrambled: "RIFF"
// becomes "riff" and the 32-bit words 1 to min(100, (size - 4) / 4) are
// XORed with (word index + kClipKey). Files shorter than kMinScrambledSize
// are never scrambled.
inline constexpr std::uint32_t kClipKey = 0x5E17C3A9;
inline constexpr std::size_t kMinScrambledSize = 44;
inline constexpr std::size_t kMaxScrambledWords = 100;

// Clip files larger than this are not read; a few minutes of any PCM
// format fit easily.
inline constexpr std::size_t kMaxClipFileSize = 128u * 1024u * 1024u;

// Restores the WAVE image of a clip file in place. A buffer that is too
// short or does not begin with "riff" is left as it is, so plain WAVE files
// play too.
void UnscrambleClip(std::span<std::uint8_t> clip);

// Scrambles a WAVE image into a clip file in place. False, and `clip`
// unchanged, when it is too short or does not begin with "RIFF": the
// program would play such a file as stored, so it cannot be scrambled.
bool ScrambleClip(std::vector<std::uint8_t>& clip);

// Reads the clip file at `contentPath` (a content path, resolved as every
// other one) whole into `clip` and unscrambles it. False, with `clip` empty,
// when the file cannot be read or is too large.
bool LoadClip(const std::string& contentPath, std::vector<std::uint8_t>& clip);

}  // namespace velmora
