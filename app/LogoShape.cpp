#include "app/LogoShape.h"

#include <QFont>
#include <QFontMetricsF>

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

// The letter V, white, centred in the bubble as text centred in a box is:
// the line's advance and height, not the glyph's ink.
LogoShape Letter()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(24);
    font.setBold(true);
    const QString text = QStringLiteral("V");
    const QFontMetricsF metrics(font);
    const QPointF baseline(kBubbleRect.left() + (kBubbleRect.width() - metrics.horizontalAdvance(text)) / 2,
                           kBubbleRect.top() + (kBubbleRect.height() - metrics.height()) / 2 + metrics.ascent());
    QPainterPath letter;
    letter.addText(baseline, font, text);
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
