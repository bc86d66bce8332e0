#pragma once

#include <cstddef>
#include <cstdint>

namespace velmora {

// The codes of a packed picture file ("TBBs"): after the magic, the width,
// the height and the length of the codes (little-endian 32-bit each), every
// byte below kRunCode is one pixel's seven-bit value; a byte with kRunCode
// set is a run of its low seven bits, repeated kMinRun plus the next byte's
// value times. Rows follow each other as one stream, so runs cross row ends.
// An unpacked file ("TBB1") holds the 8-bit pixels after width and height.
inline constexpr char kUnpackedPictureMagic[4] = {'T', 'B', 'B', '1'};
inline constexpr char kPackedPictureMagic[4] = {'T', 'B', 'B', 's'};
inline constexpr std::uint8_t kRunCode = 0x80;
inline constexpr std::size_t kMinRun = 3;
inline constexpr std::size_t kMaxRun = kMinRun + 255;

// A stored seven-bit value v becomes (2v) mod 256, with 254 raised to 255
// so that the largest value is full ink.
constexpr std::uint8_t ExpandSevenBit(std::uint8_t v)
{
    const auto doubled = static_cast<std::uint8_t>(v * 2);
    return doubled == 254 ? 255 : doubled;
}

// The seven-bit value stored for an 8-bit coverage: loading expands it back
// to 0, 2, ..., 252 or 255, so an expanded value survives a second packing.
constexpr std::uint8_t SevenBitValue(std::uint8_t coverage)
{
    return static_cast<std::uint8_t>(coverage >> 1);
}

}  // namespace velmora
