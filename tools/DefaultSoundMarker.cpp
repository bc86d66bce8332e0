#include "tools/DefaultSoundMarker.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

namespace velmora::tool {

QImage DefaultSoundMarker()
{
    constexpr int kSize = 72;
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QPainterPath speaker;
    speaker.moveTo(8, 27);
    speaker.lineTo(20, 27);
    speaker.lineTo(36, 12);
    speaker.lineTo(36, 60);
    speaker.lineTo(20, 45);
    speaker.lineTo(8, 45);
    speaker.closeSubpath();
    painter.fillPath(speaker, Qt::black);

    QPen wave(Qt::black, 5, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(wave);
    painter.setBrush(Qt::NoBrush);
    // Arcs centred on the cone's mouth, 50 degrees either side of the axis
    // (Qt counts angles in sixteenths of a degree).
    painter.drawArc(QRectF(26, 22, 28, 28), -50 * 16, 100 * 16);
    painter.drawArc(QRectF(18, 12, 46, 48), -50 * 16, 100 * 16);
    return image;
}

}  // namespace velmora::tool
