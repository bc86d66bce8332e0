#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <string>

#include "graphics/Colour.h"

namespace velmora::app {

// The main window's colours and fonts, shared by the window and its painting.
namespace look {

inline const QColor kWindow(0xE7, 0xEC, 0xF1);
inline const QColor kSelectedMenuFill(0xC2, 0xDC, 0xEB);
inline const QColor kSelectedItemFrame(0xC9, 0xC7, 0xE7);
inline const QColor kNoPictureFill(0xF0, 0xF0, 0xF0);
inline const QColor kItemText(0x00, 0x00, 0x50);
inline const QColor kTitleShadow(0xC0, 0xC0, 0xC0);
inline const QColor kButtonText(0x50, 0x50, 0x50);
inline const QColor kHoverText(0x00, 0x00, 0xFF);
inline const QColor kHoverPanel = kSelectedMenuFill;
inline const QColor kRepeatOnPanel(0xDB, 0xA8, 0xAD);
inline const QColor kSoundMarkerInk(0xB9, 0xA7, 0x84);

// A colour as the core's renderers take it: red in the low byte.
Colour CoreColour(const QColor& colour);
// Content text (Windows-1250) for the screen.
QString Text(const std::string& contentText);
QFont ArialWithCellHeight(int cellHeight, bool bold = false);

}  // namespace look
}  // namespace velmora::app
