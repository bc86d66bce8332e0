#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace velmora {

// Window sizes and places are those of the whole window, the window
// manager's frame included; Qt places and sizes the client area inside it.
// This turns the whole window the program wants into the client rectangle to
// ask for, fitted into the work area: the whole window is no larger than the
// work area (yet never below `minimumOuter`), lies inside it, and its title
// bar (the frame's top edge) is never above the work area's top, so the
// window can always be moved and closed. A window larger than the work area
// even at its minimum keeps its top-left corner at the work area's.
// Without a window manager the frame is empty and the client rectangle is the
// whole window.
QRect FramedClientRect(const QRect& outer, const QMargins& frame, const QRect& workArea,
                       const QSize& minimumOuter = {});

// Where a whole window of `outer` starts when centred in `workArea`; halves
// are truncated toward zero.
QPoint CentredIn(const QRect& workArea, QSize outer);

// The client size that makes a whole window of `outer` with `frame` around it.
QSize ClientSize(const QSize& outer, const QMargins& frame);

}  // namespace velmora
