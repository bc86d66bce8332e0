#include "app/LogoShape.h"

namespace velmora::app {
namespace {

const QColor kInk(97, 72, 149);
const QColor kBubble(7, 173, 228);
const QRectF kBubbleRect(2, 3, 40, 30);

// A rounded speech bubble with a tail at the lower left.
LogoShape Bubble()
{
    QPainterPath bubble;
    bubble.addRoundedRect(kBubbleRect, 9, 9);
    QPainterPath tail;
    tail.moveTo(9, 30);
    tail.lineTo(5, 43);
    tail.lineTo(20, 32);
    tail.closeSubpath();
    return {.path = bubble.united(tail), .fill = kBubble, .stroke = kInk, .strokeWidth = 2};
}

// A point of the letter's outline, given in 64ths of a unit as a font's
// outlines are.
QPointF Outline64(int x, int y)
{
    return QPointF(x / 64.0, y / 64.0);
}

// The letter V, white: Arial's bold V at 24 units (as Liberation Sans Bold,
// Arial's metric twin, draws it), centred in the bubble as text centred in a
// box is. Its outline is written out, not asked of a font: the logo is then
// the same on every machine, installed fonts or not, and drawing it never
// waits for the font database, which the windows are using meanwhile.
LogoShape Letter()
{
    QPainterPath letter;
    letter.moveTo(Outline64(1522, 1684));
    letter.lineTo(Outline64(1297, 1684));
    letter.lineTo(Outline64(907, 627));
    letter.lineTo(Outline64(1138, 627));
    letter.lineTo(Outline64(1355, 1306));
    letter.quadTo(Outline64(1375, 1372), Outline64(1411, 1505));
    letter.lineTo(Outline64(1426, 1441));
    letter.lineTo(Outline64(1465, 1306));
    letter.lineTo(Outline64(1681, 627));
    letter.lineTo(Outline64(1910, 627));
    letter.closeSubpath();
    return {.path = letter, .fill = Qt::white};
}

// A quarter circle to the right of the bubble, `index` 0 innermost.
LogoShape Wave(int index)
{
    const qreal radius = 8 + 7 * index;
    const QRectF circle(46 - radius, 18 - radius, 2 * radius, 2 * radius);
    QPainterPath wave;
    wave.arcMoveTo(circle, -45);
    wave.arcTo(circle, -45, 90);
    return {.path = wave, .stroke = kInk, .strokeWidth = 2.5, .roundCaps = true};
}

}  // namespace

std::vector<LogoShape> LogoShapes()
{
    return {Bubble(), Letter(), Wave(0), Wave(1), Wave(2)};
}

}  // namespace velmora::app
