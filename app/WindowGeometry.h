#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace velmora::app {

// Resizes `window` to the client size `size` and, when it is hidden (Qt then
// holds the resize event back until it is shown), delivers the resize event
// at once, so its controls and everything laid out from them follow now.
void ResizeNow(QWidget& window, QSize size);
// Delivers the resize event Qt holds back for a hidden window, if any.
void SendPendingResize(QWidget& window);

// The main window's client rectangle in the work area `area`, and its
// smallest client size, for the window manager's frame around it.
QRect MainWindowGeometry(const QRect& area, const QMargins& frame);
QSize MainWindowMinimumSize(const QMargins& frame);

}  // namespace velmora::app
