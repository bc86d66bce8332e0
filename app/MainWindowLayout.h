#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/Rect.h"
#include "app/WidthScale.h"

namespace velmora::app {

// The pure geometry of the main window: tile layouts, the title text, the
// window's place on the desktop and the parts of an item tile. The window applies these; tests check them.
namespace layout {

inline constexpr std::int32_t kPlainMenuTileHeight = 52;
inline constexpr std::int32_t kIndentedMenuTileHeight = 38;
inline constexpr std::int32_t kMenuIndent = 36;

// One column of group tiles: plain tiles span the panel, indented ones
// start 36 pixels in and are lower.
std::vector<Rect> MenuTiles(const std::vector<bool>& indented, std::int32_t panelWidth);

// Item `index` of the group at `groupIndex` in two columns of a panel
// `panelWidth` wide. Groups 0, 4 and 11 split the columns unevenly.
Rect CentreTile(std::int32_t groupIndex, std::int32_t index, std::int32_t panelWidth, std::int32_t tileHeight);

// A group's name as its title bar shows it: the first "- " removed.
std::string TitleText(std::string name);

// Title pictures (the group's and its entries') are drawn this far down the
// title band, below the group's name.
inline constexpr std::int32_t kTitlePictureTop = 44;

// The scale of a title picture `pictureHeight` high in a band `bandHeight`
// high: the design's 0.6, or less where that would reach past the band's
// bottom, so that the picture is shown whole.
float TitlePictureScale(std::int32_t pictureHeight, std::int32_t bandHeight);

// Where a group's title picture `pictureWidth` wide starts in a band
// `bandWidth` wide: centred, unless that would put it over the title entries
// drawn up to `entriesRight` (0 without entries); then just right of them.
std::int32_t TitlePictureLeft(std::int32_t bandWidth, std::int32_t pictureWidth, std::int32_t entriesRight);

inline constexpr std::int32_t kMinimumWidth = 754;
inline constexpr std::int32_t kMinimumHeight = 450;

// The main window's outer rectangle for a work area: 800 or 1100 wide,
// 760 or 1000 high, less on a smaller work area but never below the
// minimum size; centred in the work area.
Rect MainWindowPlacement(const Rect& workArea);

// The zone of an item tile whose click plays the word: the sound marker and
// the picture to its right, with 10 pixels above and below the marker.
Rect ItemPlayZone(std::int32_t markerLeft, std::int32_t markerTop, std::int32_t markerWidth, std::int32_t markerHeight,
                  std::int32_t pictureWidth);

// Where the parts of an item tile lie, relative to the tile's top-left
// corner, at the window's scale: drawing, the click test and the tests all
// take them from here.
struct ItemTile {
    std::int32_t captionLeft = 0;  // the caption's top-left corner
    std::int32_t captionTop = 0;
    Rect marker;
    Rect picture;
    Rect playZone;
};
ItemTile ItemTileGeometry(const WidthScale& scale, std::int32_t markerWidth, std::int32_t markerHeight,
                          std::int32_t pictureWidth, std::int32_t pictureHeight);

}  // namespace layout
}  // namespace velmora::app
