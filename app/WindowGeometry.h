#pragma once

#include <QSize>

class QWidget;

namespace velmora::app {

// The size the window manager's frame adds around `window`'s client area.
// Before a window has been shown the frame is not known yet; the frame of its
// parent's window, when that is shown, stands in for it (the same window
// manager decorates both). Without a window manager it is 0 x 0.
QSize FrameExtra(const QWidget& window);

// Resizes `window` to the client size `size` and, when it is hidden (Qt then
// holds the resize event back until it is shown), delivers the resize event
// at once, so its controls and everything laid out from them follow now.
void ResizeNow(QWidget& window, QSize size);

}  // namespace velmora::app
