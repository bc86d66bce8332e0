#pragma once

#include <QFont>

class QPainter;
class QRect;

namespace velmora {
class Bitmap;
class ContentItem;
class MenuGroup;
}  // namespace velmora

namespace velmora::app {

class WidthScale;

// How the main window draws its title bar and its tiles. Each function
// draws only what it is given; the window decides when.
namespace painting {

// The fonts of the title bar: the group's name, and its title entries.
QFont TitleFont();
QFont TitleEntryFont();

// The selected group's title bar over `area`: its name with a shadow, its
// picture and its title entries. No group: only the window colour.
void PaintTitle(QPainter& painter, const QRect& area, const MenuGroup* group, const WidthScale& scale);

// A group's tile in the menu: its picture centred, or its name.
void DrawMenuTile(QPainter& canvas, const QRect& rect, const MenuGroup& group, bool selected);

// An item's tile: caption, sound marker (`marker`, when the item has a
// sound) and picture, where ItemTileGeometry puts them.
void DrawItemTile(QPainter& canvas, const QRect& rect, const ContentItem& item, bool selected, const Bitmap* marker,
                  const WidthScale& scale);

}  // namespace painting
}  // namespace velmora::app
