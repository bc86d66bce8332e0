#include "sound/WaveImage.h"

#include <cstddef>
#include <cstring>

#include "core/LittleEndian.h"

namespace velmora {

namespace {

constexpr std::size_t kRiffHeaderSize = 12;
constexpr std::size_t kChunkHeaderSize = 8;
constexpr std::size_t kMinFormatSize = 16;

bool IsId(const std::uint8_t* bytes, const char* id)
{
    return std::memcmp(bytes, id, 4) == 0;
}

bool ReadFormat(const std::uint8_t* body, std::size_t size, WaveFormat& format)
{
    if (size < kMinFormatSize)
        return false;
    format.formatTag = ReadLittle16(body);
    format.channels = ReadLittle16(body + 2);
    format.samplesPerSecond = ReadLittle32(body + 4);
    format.blockAlign = ReadLittle16(body + 12);
    format.bitsPerSample = ReadLittle16(body + 14);
    return format.channels != 0 && format.samplesPerSecond != 0 && format.blockAlign != 0;
}

}  // namespace

bool CheckWaveImage(std::span<const std::uint8_t> image, WaveFormat& format)
{
    const std::uint8_t* bytes = image.data();
    if (image.size() < kRiffHeaderSize || !IsId(bytes, "RIFF") || !IsId(bytes + 8, "WAVE"))
        return false;
    // The RIFF chunk must hold at least its form type, or the chunk walk
    // below would start past its end.
    const std::size_t riffSize = ReadLittle32(bytes + 4);
    if (riffSize < kRiffHeaderSize - kChunkHeaderSize || riffSize > image.size() - kChunkHeaderSize)
        return false;
    const std::size_t end = kChunkHeaderSize + riffSize;

    bool haveFormat = false;
    std::size_t offset = kRiffHeaderSize;
    while (end - offset >= kChunkHeaderSize) {
        const std::uint8_t* header = bytes + offset;
        const std::size_t size = ReadLittle32(header + 4);
        const std::size_t body = offset + kChunkHeaderSize;
        if (size > end - body)
            return false;
        if (IsId(header, "fmt ")) {
            if (!ReadFormat(bytes + body, size, format))
                return false;
            haveFormat = true;
        } else if (IsId(header, "data")) {
            return haveFormat && size >= format.blockAlign;
        }
        // Chunks are word-aligned: an odd-sized one is followed by a pad byte.
        const std::size_t next = body + size + (size & 1);
        if (next > end)
            return false;
        offset = next;
    }
    return false;
}

}  // namespace velmora
