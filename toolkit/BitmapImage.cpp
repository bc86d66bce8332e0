#include "toolkit/BitmapImage.h"

#include "graphics/TBitmap.h"

#include <QList>

namespace velmora {

namespace {

QImage::Format FormatOf(const TBitmap& bitmap)
{
    switch (bitmap.PixelFormat()) {
    case TPixelFormat::pf8bit: return QImage::Format_Indexed8;
    case TPixelFormat::pf24bit: return QImage::Format_BGR888;
    case TPixelFormat::pf32bit: return QImage::Format_RGB32;
    }
    return QImage::Format_Invalid;
}

QList<QRgb> ColourTable(const TPalette& palette)
{
    QList<QRgb> table;
    table.reserve(static_cast<qsizetype>(palette.size()));
    for (const TPaletteEntry& entry : palette)
        table.append(qRgb(entry.red, entry.green, entry.blue));
    return table;
}

QImage WithPalette(QImage image, const TBitmap& bitmap)
{
    if (image.format() == QImage::Format_Indexed8)
        image.setColorTable(ColourTable(bitmap.Palette()));
    return image;
}

}  // namespace

QImage BitmapImage::View(const TBitmap& bitmap)
{
    if (bitmap.Empty())
        return QImage();
    return WithPalette(QImage(bitmap.Bits(), bitmap.Width(), bitmap.Height(),
                              static_cast<qsizetype>(bitmap.Stride()), FormatOf(bitmap)),
                       bitmap);
}

QImage BitmapImage::WritableView(TBitmap& bitmap)
{
    if (bitmap.Empty())
        return QImage();
    return WithPalette(QImage(bitmap.Bits(), bitmap.Width(), bitmap.Height(),
                              static_cast<qsizetype>(bitmap.Stride()), FormatOf(bitmap)),
                       bitmap);
}

}  // namespace velmora
