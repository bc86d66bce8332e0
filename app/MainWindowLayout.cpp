#include "app/MainWindowLayout.h"

#include <algorithm>

namespace velmora::app::layout {

std::vector<Rect> MenuTiles(const std::vector<bool>& indented, std::int32_t panelWidth)
{
    std::vector<Rect> tiles;
    tiles.reserve(indented.size());
    std::int32_t y = 0;
    for (const bool isIndented : indented) {
        const Rect tile = isIndented ? Rect{kMenuIndent, y, panelWidth - kMenuIndent, kIndentedMenuTileHeight}
                                     : Rect{0, y, panelWidth, kPlainMenuTileHeight};
        tiles.push_back(tile);
        y += tile.height;
    }
    return tiles;
}

Rect CentreTile(std::int32_t groupIndex, std::int32_t index, std::int32_t panelWidth, std::int32_t tileHeight)
{
    // Products are taken in 64 bits: a panel is never wide enough to
    // overflow, but nothing here has to rely on that.
    const std::int64_t c = index % 2;
    const std::int64_t w = panelWidth;
    std::int64_t x = 0;
    std::int64_t width = 0;
    switch (groupIndex) {
    case 11:
        x = (c * w * 3) / 8 + 1;
        width = w * ((1 - c) * 3 + c * 5) / 8;
        break;
    case 4:
        x = (c * w * 5) / 8 + 1;
        width = w * ((1 - c) * 5 + c * 3) / 8;
        break;
    case 0:
        x = (c * 4 * w) / 9 + 1;
        width = ((1 - c) * 4 + c * 5) * w / 9;
        break;
    default:
        x = c * (w / 2);
        width = c * (w % 2) + w / 2;
        break;
    }
    const std::int64_t y = static_cast<std::int64_t>(index / 2) * tileHeight;
    return Rect{static_cast<std::int32_t>(x), static_cast<std::int32_t>(std::min<std::int64_t>(y, INT32_MAX)),
                static_cast<std::int32_t>(width), tileHeight};
}

std::string TitleText(std::string name)
{
    const auto at = name.find("- ");
    if (at != std::string::npos)
        name.erase(at, 2);
    return name;
}

float TitlePictureScale(std::int32_t pictureHeight, std::int32_t bandHeight)
{
    constexpr float kDesignScale = 0.6f;
    const std::int32_t room = bandHeight - kTitlePictureTop;
    if (pictureHeight <= 0 || room <= 0 || pictureHeight * kDesignScale <= static_cast<float>(room))
        return kDesignScale;
    return static_cast<float>(room) / static_cast<float>(pictureHeight);
}

std::int32_t TitlePictureLeft(std::int32_t bandWidth, std::int32_t pictureWidth, std::int32_t entriesRight)
{
    constexpr std::int32_t kGap = 8;
    const std::int32_t centred = (bandWidth - pictureWidth) / 2;
    return entriesRight > 0 ? std::max(centred, entriesRight + kGap) : centred;
}

namespace {

std::int32_t StepSize(std::int32_t available, std::int32_t small, std::int32_t large)
{
    if (available < small)
        return available;
    return available < large ? small : large;
}

}  // namespace

Rect MainWindowPlacement(const Rect& workArea)
{
    const std::int32_t width = std::max(StepSize(workArea.width, 800, 1100), kMinimumWidth);
    const std::int32_t height = std::max(StepSize(workArea.height, 760, 1000), kMinimumHeight);
    return Rect{(workArea.width - width) / 2 + workArea.left, (workArea.height - height) / 2 + workArea.top, width,
                height};
}

Rect ItemPlayZone(std::int32_t markerLeft, std::int32_t markerTop, std::int32_t markerWidth, std::int32_t markerHeight,
                  std::int32_t pictureWidth)
{
    return Rect{markerLeft, markerTop - 10, markerWidth + pictureWidth, markerHeight + 20};
}

ItemTile ItemTileGeometry(const WidthScale& scale, std::int32_t markerWidth, std::int32_t markerHeight,
                          std::int32_t pictureWidth, std::int32_t pictureHeight)
{
    ItemTile tile;
    tile.captionLeft = scale.Scale(80);
    tile.captionTop = scale.Scale(5);
    tile.picture = Rect{scale.Scale(75), scale.Scale(50) + scale.Scale(10), pictureWidth, pictureHeight};
    // The marker hangs left of the picture, a little lower than its top.
    tile.marker =
        Rect{tile.picture.left - scale.ScaleDown(60), tile.picture.top + scale.Scale(10), markerWidth, markerHeight};
    tile.playZone = ItemPlayZone(tile.marker.left, tile.marker.top, markerWidth, markerHeight, pictureWidth);
    return tile;
}

}  // namespace velmora::app::layout
