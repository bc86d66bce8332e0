#include "app/LogoSvg.h"

namespace velmora::app {
namespace {

QByteArray Number(qreal value)
{
    return QByteArray::number(value, 'g', 6);
}

// SVG path data of a painter path: moves, lines and cubic curves, which is
// all a painter path is made of.
QByteArray PathData(const QPainterPath& path)
{
    QByteArray data;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element element = path.elementAt(i);
        const QByteArray point = Number(element.x) + ' ' + Number(element.y);
        switch (element.type) {
        case QPainterPath::MoveToElement: data += 'M' + point; break;
        case QPainterPath::LineToElement: data += 'L' + point; break;
        case QPainterPath::CurveToElement: data += 'C' + point; break;
        case QPainterPath::CurveToDataElement: data += ' ' + point; break;
        }
    }
    return data;
}

QByteArray Colour(const QColor& colour)
{
    return colour.isValid() ? colour.name().toLatin1() : QByteArray("none");
}

QByteArray SvgElement(const LogoShape& shape)
{
    QByteArray element = "  <path d=\"" + PathData(shape.path) + "\" fill=\"" + Colour(shape.fill) + '"';
    if (shape.path.fillRule() == Qt::WindingFill)
        element += " fill-rule=\"nonzero\"";
    else
        element += " fill-rule=\"evenodd\"";
    if (shape.stroke.isValid()) {
        element += " stroke=\"" + Colour(shape.stroke) + "\" stroke-width=\"" + Number(shape.strokeWidth) + '"';
        element += shape.roundCaps ? " stroke-linecap=\"round\"" : " stroke-linecap=\"square\"";
        element += " stroke-linejoin=\"bevel\"";  // as a painter's default pen
    }
    return element + "/>\n";
}

}  // namespace

QByteArray SvgDocument(qreal size, const QTransform& transform, const std::vector<LogoShape>& shapes)
{
    const QByteArray side = Number(size);
    QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + side + "\" height=\"" + side +
                     "\" viewBox=\"0 0 " + side + ' ' + side + "\">\n";
    svg += " <g transform=\"matrix(" + Number(transform.m11()) + ' ' + Number(transform.m12()) + ' ' +
           Number(transform.m21()) + ' ' + Number(transform.m22()) + ' ' + Number(transform.dx()) + ' ' +
           Number(transform.dy()) + ")\">\n";
    for (const LogoShape& shape : shapes)
        svg += SvgElement(shape);
    return svg + " </g>\n</svg>\n";
}

}  // namespace velmora::app
