#pragma once

#include <QFont>

#include <cstdint>
#include <memory>

class QWheelEvent;
class QWidget;

namespace velmora {
class Bitmap;
class ContentSet;
class MenuGroup;
class TileList;
}  // namespace velmora

namespace velmora::app {

class WidthScale;

// What the main window's two tile lists show: the tiles of the groups and of
// the shown group's items, and the pictures rendered for them.
namespace tiles {

// Renders every group's menu picture and its title pictures for the screen's
// pixel ratio, those already rendered at that ratio and size excepted; title
// pictures fit a band of the given height. Touches nothing but `content`, so
// it may run on the thread that loaded it.
void PrepareMenuPictures(ContentSet& content, float pixelRatio, std::int32_t titleBandHeight);
// The fonts of the menu's tiles and of the item tiles at the window's scale.
QFont MenuFont();
QFont CentreFont(const WidthScale& scale);
// One tile per group, in the menu's font.
void LayoutMenu(TileList& list, const ContentSet& content, std::int32_t panelWidth);
// The group's items in two columns, at the window's scale.
void LayoutCentre(TileList& list, MenuGroup& group, std::int32_t groupIndex, std::int32_t panelWidth,
                  const WidthScale& scale);
// Renders the group's first item whose picture is not prepared; false when
// none is left. Items without a picture are passed over.
bool PrepareNextItem(MenuGroup& group, float pixelRatio);
// The sound marker drawn on the item tiles, resampled to the window's scale.
std::unique_ptr<Bitmap> ScaledMarker(Bitmap& marker, const WidthScale& scale);

// A wheel turn scrolls the list whose group box is under the pointer by one
// step, whatever the size of the turn: the menu by 30, the items by 50
// (at the window's scale).
struct WheelTargets {
    const QWidget& menuBox;
    TileList& menu;
    const QWidget& centreBox;
    TileList& centre;
};
void ScrollByWheel(const QWheelEvent& event, const WheelTargets& targets, const WidthScale& scale);

}  // namespace tiles
}  // namespace velmora::app
