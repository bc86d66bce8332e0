#include "app/Logo.h"

#include <QPainter>
#include <QPainterPath>

namespace velmora::app {

namespace {

constexpr int kLogoWidth = 76;
constexpr int kLogoHeight = 46;
// The share of an icon's width the logo takes: wide enough to be seen at
// 16 pixels, with a margin that keeps the waves clear of the edge.
constexpr qreal kIconFill = 228.0 / 256.0;
constexpr int kWindowIconSizes[] = {16, 24, 32, 48, 64, 128};

}  // namespace

QImage Logo(qreal scale)
{
    QImage image(qRound(kLogoWidth * scale), qRound(kLogoHeight * scale), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);

    // A rounded speech bubble with a tail at the lower left.
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(2, 3, 40, 30), 9, 9);
    QPainterPath tail;
    tail.moveTo(9, 30);
    tail.lineTo(5, 43);
    tail.lineTo(20, 32);
    tail.closeSubpath();
    painter.setPen(QPen(QColor(97, 72, 149), 2));
    painter.setBrush(QColor(7, 173, 228));
    painter.drawPath(bubble.united(tail));

    // The letter V, white, in the bubble.
    QFont font("Arial");
    font.setPixelSize(24);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(2, 3, 40, 30), Qt::AlignCenter, QStringLiteral("V"));

    // Three sound waves to the right, growing outward.
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        const qreal r = 8 + 7 * i;
        painter.setPen(QPen(QColor(97, 72, 149), 2.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawArc(QRectF(46 - r, 18 - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
    }
    return image;
}

QImage LogoIcon(int size)
{
    const QImage logo = Logo(size * kIconFill / kLogoWidth);
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.drawImage((size - logo.width()) / 2, (size - logo.height()) / 2, logo);
    return icon;
}

QIcon WindowIcon()
{
    QIcon icon;
    for (const int size : kWindowIconSizes)
        icon.addPixmap(QPixmap::fromImage(LogoIcon(size)));
    return icon;
}

}  // namespace velmora::app
