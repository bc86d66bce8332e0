#pragma once

#include <QSize>

class QWidget;

namespace velmora::app {

// Resizes `window` to the client size `size` and, when it is hidden (Qt then
// holds the resize event back until it is shown), delivers the resize event
// at once, so its controls and everything laid out from them follow now.
void ResizeNow(QWidget& window, QSize size);

}  // namespace velmora::app
