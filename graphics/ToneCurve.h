#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "graphics/Bitmap.h"

namespace velmora {

// 256 entries: entry i is the new value of a byte whose value is i.
using LookupTable = std::array<std::uint8_t, 256>;

// The tone curve of a signed amount: a positive amount darkens (values up to
// the amount become 0 and the rest is stretched over 0-255), a negative one
// lightens (0-255 is squeezed into |amount|-255). |amount| is capped at 254.
LookupTable ToneCurve(std::int32_t amount);

// Maps the bitmap through ToneCurve(amount). A null bitmap is ignored.
void ApplyToneCurve(Bitmap* bitmap, std::int32_t amount);

// Maps the blue, green and red bytes of 24- and 32-bit pixels (never the
// fourth byte) or the palette indices of 8-bit pixels through `table`; the
// palette stays. Empty and null bitmaps are left alone.
void ApplyLookupTable(Bitmap* bitmap, const LookupTable& table);

// Gives the bitmap the 256-level grey palette. A null bitmap is ignored.
void SetGreyPalette(Bitmap* bitmap);

// Replaces a 24- or 32-bit bitmap by an 8-bit grey-palette bitmap of the same
// size whose indices are the old blue bytes (the grey level of a grey
// picture); any other bitmap is set to 8 bits in place. Null is left alone.
void ConvertToGrey8(std::unique_ptr<Bitmap>& bitmap);

}  // namespace velmora
