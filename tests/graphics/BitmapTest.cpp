#include <gtest/gtest.h>

#include "graphics/Bitmap.h"

namespace velmora {
namespace {

TEST(Bitmap, RowsAreFourByteAlignedAndZeroFilled)
{
    Bitmap bitmap(5, 3, PixelFormat::Bits24);
    EXPECT_EQ(bitmap.Stride(), 16u);
    EXPECT_EQ(bitmap.ScanLine(2) - bitmap.ScanLine(0), 32);
    for (int row = 0; row < 3; ++row)
        for (std::size_t k = 0; k < bitmap.Stride(); ++k)
            EXPECT_EQ(bitmap.ScanLine(row)[k], 0);
    EXPECT_EQ(Bitmap(3, 1, PixelFormat::Bits8).Stride(), 4u);
    EXPECT_EQ(Bitmap(3, 1, PixelFormat::Bits32).Stride(), 12u);
}

TEST(Bitmap, ResizeKeepsTheOverlapAndClearsTheRest)
{
    Bitmap bitmap(2, 2, PixelFormat::Bits8);
    bitmap.ScanLine(0)[0] = 1;
    bitmap.ScanLine(0)[1] = 2;
    bitmap.ScanLine(1)[0] = 3;
    bitmap.ScanLine(1)[1] = 4;
    bitmap.SetWidth(1);
    EXPECT_EQ(bitmap.ScanLine(1)[0], 3);
    EXPECT_EQ(bitmap.ScanLine(0)[1], 0) << "padding of a narrowed row is cleared";
    bitmap.SetSize(3, 3);
    EXPECT_EQ(bitmap.ScanLine(0)[0], 1);
    EXPECT_EQ(bitmap.ScanLine(0)[1], 0);
    EXPECT_EQ(bitmap.ScanLine(2)[0], 0);
    bitmap.SetHeight(0);
    EXPECT_TRUE(bitmap.Empty());
    bitmap.SetHeight(1);
    EXPECT_EQ(bitmap.ScanLine(0)[0], 0) << "nothing survives a height of 0";
    bitmap.SetSize(-4, -1);
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 0);
}

TEST(Bitmap, PixelFormatChangesConvertThePixels)
{
    Bitmap bitmap(2, 1, PixelFormat::Bits24);
    std::uint8_t* row = bitmap.ScanLine(0);
    row[0] = 10;
    row[1] = 20;
    row[2] = 30;
    row[3] = 255;
    row[4] = 255;
    row[5] = 255;

    bitmap.SetFormat(PixelFormat::Bits32);
    ASSERT_EQ(bitmap.BytesPerPixel(), 4);
    EXPECT_EQ(bitmap.ScanLine(0)[0], 10);
    EXPECT_EQ(bitmap.ScanLine(0)[2], 30);
    EXPECT_EQ(bitmap.ScanLine(0)[6], 255);

    bitmap.SetFormat(PixelFormat::Bits8);
    EXPECT_EQ(bitmap.ColourTable()[77], (PaletteEntry{77, 77, 77, 0}));
    EXPECT_EQ(bitmap.ScanLine(0)[1], 255) << "white stays white";
    EXPECT_EQ(bitmap.ScanLine(0)[0], (30 * 77 + 20 * 150 + 10 * 29) >> 8);

    Palette palette = GreyPalette();
    palette[255] = PaletteEntry{1, 2, 3, 0};
    bitmap.SetColourTable(palette);
    bitmap.SetFormat(PixelFormat::Bits24);
    EXPECT_EQ(bitmap.ScanLine(0)[3], 3);
    EXPECT_EQ(bitmap.ScanLine(0)[4], 2);
    EXPECT_EQ(bitmap.ScanLine(0)[5], 1);
}

TEST(Bitmap, ImpossibleSizeThrowsInsteadOfWrapping)
{
    Bitmap bitmap(1, 1, PixelFormat::Bits32);
    EXPECT_ANY_THROW(bitmap.SetSize(2147483647, 2147483647));
    EXPECT_EQ(bitmap.Width(), 1);
}

}  // namespace
}  // namespace velmora
