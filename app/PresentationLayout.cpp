#include "app/PresentationLayout.h"

#include <algorithm>
#include <limits>

namespace velmora::app::layout {

Size InitialPageArea(Size screen, Size extra)
{
    constexpr Size kAreas[] = {{1024, 768}, {800, 600}, {640, 480}};
    for (const Size area : kAreas) {
        if (std::int64_t{extra.width} + area.width <= screen.width &&
            std::int64_t{extra.height} + area.height <= screen.height)
            return area;
    }
    return kAreas[2];
}

Size FitPage(Size page, Size box)
{
    if (page.width <= 0 || page.height <= 0 || box.width <= 0 || box.height <= 0)
        return {};
    // 64-bit products: a page of up to a hundred million pixels times a
    // box dimension outgrows 32 bits.
    const std::int64_t height = std::int64_t{page.height} * box.width / page.width;
    if (height > box.height)
        return {static_cast<std::int32_t>(std::int64_t{page.width} * box.height / page.height), box.height};
    return {box.width, static_cast<std::int32_t>(height)};
}

std::int32_t CentreOffset(std::int32_t outer, std::int32_t inner)
{
    return static_cast<std::int32_t>((std::int64_t{outer} - inner) / 2);
}

}  // namespace velmora::app::layout
