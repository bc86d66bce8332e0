// Writes the program's icons as an icon theme folder: the logo on a square
// at every size desktops ask for, and as SVG.
//   velmora-icon OUT_DIR NAME    (writes OUT_DIR/16x16/apps/NAME.png ...
//                                 OUT_DIR/scalable/apps/NAME.svg)
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

#include "app/Logo.h"

namespace {

constexpr int kSizes[] = {16, 24, 32, 48, 64, 128, 256};

QString AppsFolder(const QString& root, const QString& theme)
{
    const QString folder = root + QLatin1Char('/') + theme + QStringLiteral("/apps");
    QDir().mkpath(folder);
    return folder;
}

bool WriteSvg(const QString& path)
{
    QFile file(path);
    const QByteArray svg = velmora::app::LogoIconSvg();
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(svg) == svg.size() && file.flush();
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: velmora-icon OUT_DIR NAME\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (const int size : kSizes) {
        const QString path = AppsFolder(root, QStringLiteral("%1x%1").arg(size)) + QLatin1Char('/') + name + ".png";
        if (!velmora::app::LogoIcon(size).save(path)) {
            std::fprintf(stderr, "velmora-icon: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    const QString svgPath = AppsFolder(root, QStringLiteral("scalable")) + QLatin1Char('/') + name + ".svg";
    if (!WriteSvg(svgPath)) {
        std::fprintf(stderr, "velmora-icon: cannot write %s\n", qPrintable(svgPath));
        return 1;
    }
    return 0;
}
