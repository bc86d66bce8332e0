#include "tools/DefaultSoundMarker.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

namespace velmora::tool {

QImage DefaultSoundMarker()
{
    // 60 pixels square: the marker stands 60 pixels left of an item's
    // picture, which would cover anything wider.
    constexpr int kSize = 60;
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QPainterPath speaker;
    speaker.moveTo(5, 23);
    speaker.lineTo(15, 23);
    speaker.lineTo(29, 10);
    speaker.lineTo(29, 50);
    speaker.lineTo(15, 37);
    speaker.lineTo(5, 37);
    speaker.closeSubpath();
    painter.fillPath(speaker, Qt::black);

    QPen wave(Qt::black, 4, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(wave);
    painter.setBrush(Qt::NoBrush);
    // Arcs centred on the cone's mouth, 50 degrees either side of the axis
    // (Qt counts angles in sixteenths of a degree).
    painter.drawArc(QRectF(20, 18, 24, 24), -50 * 16, 100 * 16);
    painter.drawArc(QRectF(13, 9, 40, 42), -50 * 16, 100 * 16);
    return image;
}

}  // namespace velmora::tool
