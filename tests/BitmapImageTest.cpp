#include <gtest/gtest.h>

#include "graphics/TBitmap.h"
#include "toolkit/BitmapImage.h"

#include <QPainter>

namespace velmora {
namespace {

// Pixel (1, 1) of a 3 x 2 bitmap gets the colour (red 10, green 20, blue 30).
TBitmap BitmapWithOnePixel(TPixelFormat format)
{
    TBitmap bitmap(3, 2, format);
    std::uint8_t* row = bitmap.ScanLine(1);
    switch (format) {
    case TPixelFormat::pf8bit: {
        TPalette palette = GreyPalette();
        palette[7] = TPaletteEntry{10, 20, 30, 0};
        bitmap.SetPalette(palette);
        row[1] = 7;
        break;
    }
    case TPixelFormat::pf24bit:
        row[3] = 30; row[4] = 20; row[5] = 10;
        break;
    case TPixelFormat::pf32bit:
        row[4] = 30; row[5] = 20; row[6] = 10; row[7] = 0xFF;
        break;
    }
    return bitmap;
}

TEST(BitmapImage, ViewsShareThePixelsInTheMatchingFormat)
{
    struct Row {
        TPixelFormat format;
        QImage::Format expected;
    };
    const Row rows[] = {{TPixelFormat::pf8bit, QImage::Format_Indexed8},
                        {TPixelFormat::pf24bit, QImage::Format_BGR888},
                        {TPixelFormat::pf32bit, QImage::Format_RGB32}};
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.format));
        TBitmap bitmap = BitmapWithOnePixel(row.format);
        const QImage view = BitmapImage::View(std::as_const(bitmap));
        EXPECT_EQ(view.format(), row.expected);
        EXPECT_EQ(view.size(), QSize(3, 2));
        EXPECT_EQ(view.bytesPerLine(), static_cast<qsizetype>(bitmap.Stride()));
        EXPECT_EQ(view.constBits(), bitmap.Bits()) << "no copy";
        EXPECT_EQ(view.pixel(1, 1), qRgb(10, 20, 30));
        EXPECT_EQ(view.pixel(0, 0), qRgb(0, 0, 0));

        QImage writable = BitmapImage::WritableView(bitmap);
        if (row.format == TPixelFormat::pf8bit) {
            writable.setPixel(2, 0, 255);
        } else {
            QPainter painter(&writable);
            painter.setPen(QColor(255, 255, 255));
            painter.drawPoint(2, 0);
        }
        EXPECT_EQ(writable.constBits(), bitmap.Bits()) << "drawing stays in the bitmap";
        EXPECT_EQ(BitmapImage::View(bitmap).pixel(2, 0), qRgb(255, 255, 255));
    }
    EXPECT_TRUE(BitmapImage::View(TBitmap()).isNull());
}

}  // namespace
}  // namespace velmora
