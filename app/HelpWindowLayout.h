#pragma once

#include <cstdint>
#include <vector>

#include "app/Rect.h"

namespace velmora::app::layout {

// The magnifications the help window offers, smallest first.
enum class HelpZoom : std::uint8_t { Percent50, Percent60, Percent70, Percent80, Percent90, Percent100 };

float HelpZoomFactor(HelpZoom zoom);
// How much contrast the tone curve adds to a page built at `zoom`: more at the
// smaller magnifications, where thin strokes fade when reduced; none at 100%.
std::int32_t HelpToneCurveAmount(HelpZoom zoom);

// What the help window starts with on a work area `workAreaWidth` wide: a
// narrow desktop gets thin side margins and 70%, a middle one 70% without
// 100% (a page at full size would not fit), a wide one 80%.
struct HelpZoomChoice {
    std::int32_t sideMargin = 0;
    HelpZoom zoom = HelpZoom::Percent70;
    bool fullSizeEnabled = true;

    friend bool operator==(const HelpZoomChoice&, const HelpZoomChoice&) = default;
};
HelpZoomChoice InitialHelpZoom(std::int32_t workAreaWidth);

// One help page as the column places it: the gap above it (from the content
// file, any value) and its display height.
struct HelpPageExtent {
    std::int32_t gap = 0;
    std::int32_t height = 0;
};

inline constexpr std::int32_t kHelpTopMargin = 20;

// The tiles of the help column: an empty top tile `topMargin` high, one tile
// per page below its gap, and an empty bottom tile three times the top
// margin. Positions run in 64 bits and are clamped to 32, so gaps of any size
// and thousands of tall pages neither wrap nor go negative by overflow.
std::vector<Rect> HelpPageTiles(const std::vector<HelpPageExtent>& pages, std::int32_t panelWidth,
                                std::int32_t topMargin = kHelpTopMargin);

// The scroll position that keeps the view at the same relative place when
// the content height changes from `oldHeight` to `newHeight`; `position`
// itself when there was no content. The product is formed in 64 bits.
std::int32_t KeepRelativeScroll(std::int32_t position, std::int32_t oldHeight, std::int32_t newHeight);

// The wheel step of a column `columnWidth` wide: one eighteenth of it.
std::int32_t HelpWheelStep(std::int32_t columnWidth);

}  // namespace velmora::app::layout
