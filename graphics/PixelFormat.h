#pragma once

#include <cstdint>

namespace velmora {

// How a bitmap stores a pixel: a palette index, blue-green-red, or
// blue-green-red and a fourth byte.
enum class PixelFormat : std::uint8_t { Bits8, Bits24, Bits32 };

}  // namespace velmora
