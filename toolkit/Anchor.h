#pragma once

#include <QFlags>

namespace velmora {

// The parent edges a control keeps its distance to when the parent is
// resized. Left and right together stretch the control; right alone moves it
// with the right edge; neither keeps its centre at the same proportion of the
// parent's width. The same holds vertically.
enum class Anchor : unsigned {
    Left = 1,
    Top = 2,
    Right = 4,
    Bottom = 8,
};

using Anchors = QFlags<Anchor>;

}  // namespace velmora

Q_DECLARE_OPERATORS_FOR_FLAGS(velmora::Anchors)
