#include "support/WaveFiles.h"

#include <algorithm>
#include <cstdlib>

#include "core/LittleEndian.h"

namespace velmora::test {

namespace {

void AppendId(Bytes& bytes, const char* id)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<std::uint8_t>(id[i]));
}

}  // namespace

Bytes WaveImage(const WaveFormat& format, const Bytes& data)
{
    const std::uint16_t blockAlign = static_cast<std::uint16_t>(format.channels * format.bitsPerSample / 8);
    Bytes image;
    AppendId(image, "RIFF");
    AppendLittle32(image, static_cast<std::uint32_t>(36 + data.size()));
    AppendId(image, "WAVE");
    AppendId(image, "fmt ");
    AppendLittle32(image, 16);
    AppendLittle16(image, format.formatTag);
    AppendLittle16(image, format.channels);
    AppendLittle32(image, static_cast<std::uint32_t>(format.rate));
    AppendLittle32(image, static_cast<std::uint32_t>(format.rate * blockAlign));
    AppendLittle16(image, blockAlign);
    AppendLittle16(image, format.bitsPerSample);
    AppendId(image, "data");
    AppendLittle32(image, static_cast<std::uint32_t>(data.size()));
    image.insert(image.end(), data.begin(), data.end());
    return image;
}

Bytes Pcm16Wave(std::uint16_t channels, std::uint32_t rate, const std::vector<std::int16_t>& samples)
{
    Bytes data;
    for (const std::int16_t sample : samples)
        AppendLittle16(data, static_cast<std::uint16_t>(sample));
    return WaveImage({kWavePcm, channels, rate, 16}, data);
}

Bytes ScrambleClip(Bytes image)
{
    constexpr std::uint32_t kKey = 0x5E17C3A9;
    if (image.size() < 44)
        return image;
    image[0] = 'r';
    image[1] = 'i';
    image[2] = 'f';
    image[3] = 'f';
    const std::size_t words = std::min<std::size_t>(100, (image.size() - 4) / 4);
    for (std::size_t k = 1; k <= words; ++k) {
        const std::uint32_t mask = kKey + static_cast<std::uint32_t>(k);
        for (std::size_t b = 0; b < 4; ++b)
            image[4 * k + b] ^= static_cast<std::uint8_t>(mask >> (8 * b));
    }
    return image;
}

EnvGuard::EnvGuard(const char* name, const std::string& value) : name_(name)
{
    if (const char* previous = std::getenv(name)) {
        hadValue_ = true;
        previous_ = previous;
    }
    ::setenv(name, value.c_str(), 1);
}

EnvGuard::~EnvGuard()
{
    if (hadValue_)
        ::setenv(name_.c_str(), previous_.c_str(), 1);
    else
        ::unsetenv(name_.c_str());
}

}  // namespace velmora::test
