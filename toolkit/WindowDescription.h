#pragma once

#include "toolkit/ControlSpec.h"
#include "toolkit/FontSpec.h"

#include <QSize>

#include <span>

namespace velmora {

// A window's declarative description: its client size at design time (what
// the top-level controls' rectangles and anchors refer to), its default font,
// and its controls, parents before children.
struct WindowDescription {
    QSize clientSize;
    FontSpec font;
    std::span<const ControlSpec> controls;
};

}  // namespace velmora
