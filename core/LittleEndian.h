#pragma once

#include <cstdint>
#include <vector>

namespace velmora {

// Every number in the program's file formats (packed pictures, clip files,
// WAVE images, the record of picture checks) is stored least significant
// byte first.

inline std::uint16_t ReadLittle16(const std::uint8_t* bytes)
{
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

inline std::uint32_t ReadLittle32(const std::uint8_t* bytes)
{
    return static_cast<std::uint32_t>(ReadLittle16(bytes)) | static_cast<std::uint32_t>(ReadLittle16(bytes + 2)) << 16;
}

inline std::uint64_t ReadLittle64(const std::uint8_t* bytes)
{
    return static_cast<std::uint64_t>(ReadLittle32(bytes)) | static_cast<std::uint64_t>(ReadLittle32(bytes + 4)) << 32;
}

inline void StoreLittle32(std::uint8_t* bytes, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline void AppendLittle16(std::vector<std::uint8_t>& bytes, std::uint16_t value)
{
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void AppendLittle32(std::vector<std::uint8_t>& bytes, std::uint32_t value)
{
    AppendLittle16(bytes, static_cast<std::uint16_t>(value));
    AppendLittle16(bytes, static_cast<std::uint16_t>(value >> 16));
}

inline void AppendLittle64(std::vector<std::uint8_t>& bytes, std::uint64_t value)
{
    AppendLittle32(bytes, static_cast<std::uint32_t>(value));
    AppendLittle32(bytes, static_cast<std::uint32_t>(value >> 32));
}

}  // namespace velmora
