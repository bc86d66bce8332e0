#include <gtest/gtest.h>

#include "graphics/Bitmap.h"
#include "toolkit/BitmapImage.h"

#include <QPainter>

#include <cstring>
#include <vector>

namespace velmora {
namespace {

TEST(BitmapImage, ViewsShareThePixelsInTheMatchingFormat)
{
    // The bytes of pixel (1, 1) in each format for red 10, green 20, blue 30;
    // in 8 bits, palette entry 7 holds that colour.
    struct Row {
        PixelFormat format;
        QImage::Format expected;
        std::vector<std::uint8_t> pixel;
    };
    const Row rows[] = {{PixelFormat::Bits8, QImage::Format_Indexed8, {7}},
                        {PixelFormat::Bits24, QImage::Format_BGR888, {30, 20, 10}},
                        {PixelFormat::Bits32, QImage::Format_RGB32, {30, 20, 10, 0xFF}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.format));
        Bitmap bitmap(3, 2, row.format);
        Palette palette = GreyPalette();
        palette[7] = PaletteEntry{10, 20, 30, 0};
        bitmap.SetColourTable(palette);
        std::memcpy(bitmap.ScanLine(1) + row.pixel.size(), row.pixel.data(), row.pixel.size());  // x = 1

        const QImage view = BitmapImage::View(std::as_const(bitmap));
        EXPECT_EQ(view.format(), row.expected);
        EXPECT_EQ(view.size(), QSize(3, 2));
        EXPECT_EQ(view.bytesPerLine(), static_cast<qsizetype>(bitmap.Stride()));
        EXPECT_EQ(view.constBits(), bitmap.Bits()) << "no copy";
        EXPECT_EQ(view.pixel(1, 1), qRgb(10, 20, 30));
        EXPECT_EQ(view.pixel(0, 0), qRgb(0, 0, 0));

        QImage writable = BitmapImage::WritableView(bitmap);
        if (row.format == PixelFormat::Bits8)
            writable.setPixel(2, 0, 255);  // Qt paints on no indexed format
        else
            QPainter(&writable).fillRect(2, 0, 1, 1, Qt::white);
        EXPECT_EQ(writable.constBits(), bitmap.Bits()) << "drawing stays in the bitmap";
        EXPECT_EQ(BitmapImage::View(bitmap).pixel(2, 0), qRgb(255, 255, 255));
    }
    EXPECT_TRUE(BitmapImage::View(Bitmap()).isNull());
}

}  // namespace
}  // namespace velmora
