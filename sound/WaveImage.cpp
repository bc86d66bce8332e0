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

std::string ChunkName(const std::uint8_t* id)
{
    std::string name;
    for (int i = 0; i < 4; ++i) {
        const char c = static_cast<char>(id[i]);
        name += c >= 0x20 && c < 0x7F ? c : '?';
    }
    return "\"" + name + "\"";
}

bool Refuse(std::string* reason, std::string text)
{
    if (reason != nullptr)
        *reason = std::move(text);
    return false;
}

bool ReadFormat(const std::uint8_t* body, std::size_t size, WaveFormat& format, std::string* reason)
{
    if (size < kMinFormatSize)
        return Refuse(reason, "the format chunk holds " + std::to_string(size) + " bytes, fewer than 16");
    format.formatTag = ReadLittle16(body);
    format.channels = ReadLittle16(body + 2);
    format.samplesPerSecond = ReadLittle32(body + 4);
    format.blockAlign = ReadLittle16(body + 12);
    format.bitsPerSample = ReadLittle16(body + 14);
    if (format.channels == 0)
        return Refuse(reason, "the format names no channels");
    if (format.samplesPerSecond == 0)
        return Refuse(reason, "the format's sample rate is 0");
    if (format.blockAlign == 0)
        return Refuse(reason, "the format's block size is 0");
    return true;
}

}  // namespace

bool CheckWaveImage(std::span<const std::uint8_t> image, WaveFormat& format, std::string* reason)
{
    const std::uint8_t* bytes = image.data();
    if (image.size() < kRiffHeaderSize || !IsId(bytes, "RIFF") || !IsId(bytes + 8, "WAVE"))
        return Refuse(reason, "no RIFF WAVE header");
    // The RIFF chunk must hold at least its form type, or the chunk walk
    // below would start past its end.
    const std::size_t riffSize = ReadLittle32(bytes + 4);
    if (riffSize < kRiffHeaderSize - kChunkHeaderSize)
        return Refuse(reason, "the RIFF chunk's size " + std::to_string(riffSize) + " does not hold its form type");
    if (riffSize > image.size() - kChunkHeaderSize)
        return Refuse(reason, "the RIFF chunk's size " + std::to_string(riffSize) + " runs past the end of the " +
                                  std::to_string(image.size()) + "-byte file");
    const std::size_t end = kChunkHeaderSize + riffSize;

    bool haveFormat = false;
    std::size_t offset = kRiffHeaderSize;
    while (end - offset >= kChunkHeaderSize) {
        const std::uint8_t* header = bytes + offset;
        const std::size_t size = ReadLittle32(header + 4);
        const std::size_t body = offset + kChunkHeaderSize;
        if (size > end - body)
            return Refuse(reason, "the chunk " + ChunkName(header) + " at byte " + std::to_string(offset) + " (" +
                                      std::to_string(size) + " bytes) runs past the end of the RIFF chunk");
        if (IsId(header, "fmt ")) {
            if (!ReadFormat(bytes + body, size, format, reason))
                return false;
            haveFormat = true;
        } else if (IsId(header, "data")) {
            if (!haveFormat)
                return Refuse(reason, "the data chunk comes before any format chunk");
            if (size < format.blockAlign)
                return Refuse(reason, "the data chunk holds " + std::to_string(size) +
                                          " bytes, less than one block of " + std::to_string(format.blockAlign));
            return true;
        }
        // Chunks are word-aligned: an odd-sized one is followed by a pad byte.
        const std::size_t next = body + size + (size & 1);
        if (next > end)
            return Refuse(reason, "the chunk " + ChunkName(header) + "'s pad byte lies past the end of the RIFF chunk");
        offset = next;
    }
    return Refuse(reason, haveFormat ? "no data chunk" : "no format chunk and no data chunk");
}

}  // namespace velmora
