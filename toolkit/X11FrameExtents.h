#pragma once

#include <QMargins>

#include <optional>

class QWindow;

namespace velmora {

// Asks an X11 window manager for the frame extents it will give `window`
// when it is mapped, and waits a little for its answer. Nothing when the
// platform is not X11, when no window manager offers the request, or when it
// does not answer in time.
std::optional<QMargins> RequestX11FrameExtents(QWindow& window);

}  // namespace velmora
