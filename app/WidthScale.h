#pragma once

#include <cstdint>

namespace velmora::app {

// Sizes of the main window that follow its outer width W, relative to a
// reference width of 1280 pixels.
class WidthScale {
public:
    static constexpr std::int32_t kReferenceWidth = 1280;

    explicit WidthScale(std::int32_t outerWidth) : width_(outerWidth) {}

    std::int32_t OuterWidth() const { return width_; }
    // v x W / 1280, truncated toward zero. The product is taken in 64 bits
    // and divided exactly, so exact multiples never lose one to rounding.
    std::int32_t Scale(std::int32_t v) const;
    // v itself once the window is wider than the reference; never enlarges.
    std::int32_t ScaleDown(std::int32_t v) const;
    // The items' display scale: W / 1280 cut to five decimals, at most 1.
    float ItemScale() const;

private:
    std::int32_t width_;
};

}  // namespace velmora::app
