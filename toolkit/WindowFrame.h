#pragma once

#include <QMargins>
#include <QSize>

class QWidget;

namespace velmora {

// The frame the window manager puts around a top-level window: its title bar
// and borders. Once the window is on the screen, Qt knows it. Before the
// window is first mapped, on X11, the window manager is asked what it will be
// (_NET_REQUEST_FRAME_EXTENTS), so that the window can be sized and placed
// with its frame from the start; elsewhere, or without a window manager that
// answers, it is empty. Creates the native window when it does not exist.
class WindowFrame {
public:
    static QMargins Of(QWidget& window);
    // Places the whole window, frame included, centred in its screen's work
    // area and fitted into it, its client area never below `minimumClient`.
    static void CentreInWorkArea(QWidget& window, QSize minimumClient);
};

}  // namespace velmora
