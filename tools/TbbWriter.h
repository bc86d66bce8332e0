#pragma once

#include <cstdint>
#include <vector>

#include "graphics/CoveragePicture.h"

namespace velmora::tool {

// The seven-bit value stored for an 8-bit coverage: loading expands it back
// to 0, 2, ..., 252 or 255, so an expanded value survives a second packing.
constexpr std::uint8_t SevenBitValue(std::uint8_t coverage)
{
    return static_cast<std::uint8_t>(coverage >> 1);
}

// Packs the picture into a "TBBs" file image: literal codes, and a run code
// wherever three or more equal values follow each other (two bytes for up to
// 258 pixels). Rows are packed as one stream, so runs cross row ends.
std::vector<std::uint8_t> PackTbb(const CoveragePicture& image);

}  // namespace velmora::tool
