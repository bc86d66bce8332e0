#pragma once

#include <cstdint>

namespace velmora::app::layout {

struct Size {
    std::int32_t width = 0;
    std::int32_t height = 0;

    friend bool operator==(const Size&, const Size&) = default;
};

// The page area the presentation window opens with: the largest of
// 1024 x 768, 800 x 600 and 640 x 480 that fits on a screen of `screen` with
// `extra` (the window's size around its page area) added; 640 x 480 when
// none does.
Size InitialPageArea(Size screen, Size extra);

// A page of `page` fitted into a box of `box` keeping its aspect ratio:
// either the box's width or its height, the other dimension truncated.
// A page or box without area fits as 0 x 0.
Size FitPage(Size page, Size box);

// The offset that centres `inner` in `outer` on one axis, truncated toward
// zero (negative when inner is larger).
std::int32_t CentreOffset(std::int32_t outer, std::int32_t inner);

}  // namespace velmora::app::layout
