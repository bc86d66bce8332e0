#include "toolkit/BitmapImage.h"

#include "graphics/Bitmap.h"

#include <QList>

namespace velmora {

namespace {

QImage::Format FormatOf(const Bitmap& bitmap)
{
    switch (bitmap.Format()) {
    case PixelFormat::Bits8: return QImage::Format_Indexed8;
    case PixelFormat::Bits24: return QImage::Format_BGR888;
    case PixelFormat::Bits32: return QImage::Format_RGB32;
    }
    return QImage::Format_Invalid;
}

QList<QRgb> ColourTable(const Palette& palette)
{
    QList<QRgb> table;
    table.reserve(static_cast<qsizetype>(palette.size()));
    for (const PaletteEntry& entry : palette)
        table.append(qRgb(entry.red, entry.green, entry.blue));
    return table;
}

QImage WithPalette(QImage image, const Bitmap& bitmap)
{
    if (image.format() == QImage::Format_Indexed8)
        image.setColorTable(ColourTable(bitmap.ColourTable()));
    return image;
}

}  // namespace

QImage BitmapImage::View(const Bitmap& bitmap)
{
    if (bitmap.Empty())
        return QImage();
    return WithPalette(QImage(bitmap.Bits(), bitmap.Width(), bitmap.Height(), static_cast<qsizetype>(bitmap.Stride()),
                              FormatOf(bitmap)),
                       bitmap);
}

QImage BitmapImage::WritableView(Bitmap& bitmap)
{
    if (bitmap.Empty())
        return QImage();
    return WithPalette(QImage(bitmap.Bits(), bitmap.Width(), bitmap.Height(), static_cast<qsizetype>(bitmap.Stride()),
                              FormatOf(bitmap)),
                       bitmap);
}

}  // namespace velmora
