// Writes the program's desktop icon: the logo, centred on a square.
//   velmora-icon OUT.png
#include <QGuiApplication>
#include <QImage>

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
    return velmora::app::LogoIcon(kSize).save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
