#pragma once

#include <cstdint>

namespace velmora {

// When a loaded picture's pixels are decoded: with the load, or the first
// time they are drawn. Either way the load checks the whole file, so a
// broken picture fails it.
enum class PictureDecoding : std::uint8_t { AtLoad, OnFirstUse };

}  // namespace velmora
