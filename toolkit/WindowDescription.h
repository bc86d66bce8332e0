#pragma once

#include "toolkit/ControlDescription.h"
#include "toolkit/FontDescription.h"

#include <QSize>

#include <span>

namespace velmora {

// A window's declarative description: its client size at design time (what
// the top-level controls' rectangles and anchors refer to), its default font,
// and its controls, parents before children.
struct WindowDescription {
    QSize clientSize;
    FontDescription font;
    std::span<const ControlDescription> controls;
};

}  // namespace velmora
