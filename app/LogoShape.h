#pragma once

#include <QColor>
#include <QPainterPath>

#include <vector>

namespace velmora::app {

// One filled or stroked outline of the program's logo, in the logo's own
// 76 x 46 units. The windows' logo, the desktop icons and the scalable icon
// are all drawn from the same outlines, so they never drift apart.
struct LogoShape {
    QPainterPath path;
    QColor fill;    // invalid: not filled
    QColor stroke;  // invalid: not stroked
    qreal strokeWidth = 0;
    bool roundCaps = false;
};

inline constexpr int kLogoWidth = 76;
inline constexpr int kLogoHeight = 46;

// A speech bubble with the letter V and three sound waves, back to front.
std::vector<LogoShape> LogoShapes();

}  // namespace velmora::app
