// Writes the program's desktop icon: the logo, centred on a square.
//   velmora-icon OUT.png
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

#include "app/Logo.h"

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora-icon OUT.png\n");
        return 2;
    }
    constexpr int kSize = 256;
    constexpr int kScale = 3;
    const QImage logo = velmora::app::Logo(kScale);
    QImage icon(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.drawImage((kSize - logo.width()) / 2, (kSize - logo.height()) / 2, logo);
    painter.end();
    return icon.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
