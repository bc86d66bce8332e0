#pragma once

#include <cstdint>

namespace velmora {

// A colour as the window toolkit of the content's authors gives it: red in
// bits 0-7, green in 8-15, blue in 16-23.
using Colour = std::uint32_t;

}  // namespace velmora
