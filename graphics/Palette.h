#pragma once

#include <array>
#include <cstdint>

namespace velmora {

// A palette entry as the bitmap stores it; `flags` is kept for the
// palette's own bookkeeping and never affects pixels.
struct PaletteEntry {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t flags = 0;

    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

// The 256 colours of an 8-bit bitmap, indexed by pixel value.
using Palette = std::array<PaletteEntry, 256>;

}  // namespace velmora
