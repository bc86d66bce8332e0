#include "app/Logo.h"

#include <QPainter>

#include "app/LogoShape.h"
#include "app/LogoSvg.h"
#include "toolkit/OnceCache.h"

namespace velmora::app {

namespace {

// The share of an icon's width the logo takes: wide enough to be seen at
// 16 pixels, with a margin that keeps the waves clear of the edge.
constexpr qreal kIconFill = 228.0 / 256.0;
constexpr int kWindowIconSizes[] = {16, 24, 32, 48, 64, 128};
// The scalable icon's own units: those of the largest pixel icon.
constexpr qreal kSvgIconSize = 256;

}  // namespace

QImage Logo(qreal scale)
{
    QImage image(qRound(kLogoWidth * scale), qRound(kLogoHeight * scale), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(scale, scale);
    PaintLogo(painter);
    return image;
}

void PaintLogo(QPainter& painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (const LogoShape& shape : LogoShapes()) {
        painter.setBrush(shape.fill.isValid() ? QBrush(shape.fill) : QBrush(Qt::NoBrush));
        if (shape.stroke.isValid())
            painter.setPen(
                QPen(shape.stroke, shape.strokeWidth, Qt::SolidLine, shape.roundCaps ? Qt::RoundCap : Qt::SquareCap));
        else
            painter.setPen(Qt::NoPen);
        painter.drawPath(shape.path);
    }
    painter.restore();
}

QTransform LogoIconTransform(qreal size)
{
    const qreal scale = size * kIconFill / kLogoWidth;
    return QTransform::fromTranslate((size - kLogoWidth * scale) / 2, (size - kLogoHeight * scale) / 2)
        .scale(scale, scale);
}

QImage ScreenLogo(qreal devicePixelRatio)
{
    static OnceCache<qreal, QImage> painted;
    return painted.Get(devicePixelRatio, [devicePixelRatio] { return Logo(devicePixelRatio); });
}

QPixmap LogoPixmap(qreal devicePixelRatio)
{
    QPixmap pixmap = QPixmap::fromImage(ScreenLogo(devicePixelRatio));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QImage LogoIcon(int size)
{
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setTransform(LogoIconTransform(size));
    PaintLogo(painter);
    return icon;
}

QByteArray LogoIconSvg()
{
    return SvgDocument(kSvgIconSize, LogoIconTransform(kSvgIconSize), LogoShapes());
}

std::vector<QImage> WindowIconImages()
{
    std::vector<QImage> images;
    for (const int size : kWindowIconSizes)
        images.push_back(LogoIcon(size));
    return images;
}

QIcon WindowIcon(const std::vector<QImage>& images)
{
    QIcon icon;
    for (const QImage& image : images)
        icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}

}  // namespace velmora::app
