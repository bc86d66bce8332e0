#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace velmora {

// The fields of a WAVE image's format chunk that its playback depends on.
struct WaveFormat {
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSecond = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
};

// Checks the chunk structure of a WAVE image before a decoder sees it: the
// RIFF and every chunk up to "data" lie inside the buffer, a format chunk
// with channels, rate and block size comes first, and the data holds at
// least one whole block. Fills `format` and returns true when all holds.
// Whether the decoder knows the format tag is left to the decoder.
// `reason`, when given, receives what was wrong, for tools.
bool CheckWaveImage(std::span<const std::uint8_t> image, WaveFormat& format, std::string* reason = nullptr);

}  // namespace velmora
