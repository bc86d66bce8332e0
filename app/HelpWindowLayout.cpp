#include "app/HelpWindowLayout.h"

#include <algorithm>
#include <limits>

namespace velmora::app::layout {
namespace {

std::int32_t ClampTo32(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

float HelpZoomFactor(HelpZoom zoom)
{
    switch (zoom) {
    case HelpZoom::Percent50: return 0.5f;
    case HelpZoom::Percent60: return 0.6f;
    case HelpZoom::Percent70: return 0.7f;
    case HelpZoom::Percent80: return 0.8f;
    case HelpZoom::Percent90: return 0.9f;
    case HelpZoom::Percent100: return 1.0f;
    }
    return 1.0f;
}

std::int32_t HelpToneCurveAmount(HelpZoom zoom)
{
    switch (zoom) {
    case HelpZoom::Percent50:
    case HelpZoom::Percent60: return 70;
    case HelpZoom::Percent70: return 50;
    case HelpZoom::Percent80:
    case HelpZoom::Percent90: return 35;
    case HelpZoom::Percent100: return 0;
    }
    return 0;
}

HelpZoomChoice InitialHelpZoom(std::int32_t workAreaWidth)
{
    if (workAreaWidth < 1024)
        return {.sideMargin = 5, .zoom = HelpZoom::Percent70, .fullSizeEnabled = true};
    if (workAreaWidth < 1280)
        return {.sideMargin = 30, .zoom = HelpZoom::Percent70, .fullSizeEnabled = false};
    return {.sideMargin = 30, .zoom = HelpZoom::Percent80, .fullSizeEnabled = true};
}

std::vector<Rect> HelpPageTiles(const std::vector<HelpPageExtent>& pages, std::int32_t panelWidth,
                                std::int32_t topMargin)
{
    std::vector<Rect> tiles;
    tiles.reserve(pages.size() + 2);
    tiles.push_back({0, 0, panelWidth, topMargin});
    std::int64_t y = topMargin;
    for (const HelpPageExtent& page : pages) {
        y += page.gap;
        tiles.push_back({0, ClampTo32(y), panelWidth, page.height});
        y += page.height;
    }
    tiles.push_back({0, ClampTo32(y), panelWidth, ClampTo32(std::int64_t{3} * topMargin)});
    return tiles;
}

std::int32_t KeepRelativeScroll(std::int32_t position, std::int32_t oldHeight, std::int32_t newHeight)
{
    if (oldHeight == 0)
        return position;
    return ClampTo32(std::int64_t{newHeight} * position / oldHeight);
}

std::int32_t HelpWheelStep(std::int32_t columnWidth)
{
    return columnWidth / 18;
}

}  // namespace velmora::app::layout
