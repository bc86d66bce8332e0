#pragma once

#include <QByteArray>
#include <QTransform>

#include <vector>

#include "app/LogoShape.h"

namespace velmora::app {

// A square SVG document `size` units wide with `shapes`, back to front,
// placed by `transform`: the program's own writer, enough for outlines made
// of lines and cubic curves.
QByteArray SvgDocument(qreal size, const QTransform& transform, const std::vector<LogoShape>& shapes);

}  // namespace velmora::app
