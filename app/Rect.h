#pragma once

#include <cstdint>

namespace velmora::app {

// A rectangle in whole pixels, the one the windows' pure geometry speaks:
// it covers left <= x < left + width and top <= y < top + height.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    std::int32_t Right() const { return left + width; }
    std::int32_t Bottom() const { return top + height; }
    bool Contains(std::int32_t x, std::int32_t y) const { return x >= left && x < Right() && y >= top && y < Bottom(); }

    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace velmora::app
