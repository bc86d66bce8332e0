#pragma once

#include <cstdint>
#include <vector>

#include "support/TestFiles.h"

namespace velmora::test {

// WAVE format tags.
inline constexpr std::uint16_t kWavePcm = 1;
inline constexpr std::uint16_t kWaveFloat = 3;
inline constexpr std::uint16_t kWaveALaw = 6;
inline constexpr std::uint16_t kWaveMuLaw = 7;

struct WaveFormat {
    std::uint16_t formatTag = kWavePcm;
    std::uint16_t channels = 1;
    std::uint32_t rate = 22050;
    std::uint16_t bitsPerSample = 16;
};

// A RIFF WAVE image: a 16-byte format chunk, then a data chunk with `data`.
Bytes WaveImage(const WaveFormat& format, const Bytes& data);
// 16-bit PCM from interleaved samples.
Bytes Pcm16Wave(std::uint16_t channels, std::uint32_t rate, const std::vector<std::int16_t>& samples);

// The clip file of a WAVE image: its first words scrambled and "riff" in
// front, as the content tool stores it.
Bytes ScrambleClip(Bytes image);

// Sets an environment variable for the object's lifetime.
class EnvGuard {
public:
    EnvGuard(const char* name, const std::string& value);
    ~EnvGuard();
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;

private:
    std::string name_;
    bool hadValue_ = false;
    std::string previous_;
};

}  // namespace velmora::test
