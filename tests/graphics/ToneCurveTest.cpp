#include <gtest/gtest.h>

#include "graphics/ToneCurve.h"

namespace velmora {
namespace {

TEST(ToneCurve, DarkensByTheAmount)
{
    const LookupTable t35 = ToneCurve(35);
    for (int i = 0; i <= 35; ++i)
        EXPECT_EQ(t35[i], 0) << i;
    EXPECT_EQ(t35[36], 1);
    EXPECT_EQ(t35[50], 17);
    EXPECT_EQ(t35[128], 107);
    EXPECT_EQ(t35[200], 191);
    EXPECT_EQ(t35[254], 253);
    EXPECT_EQ(t35[255], 255);

    const LookupTable t50 = ToneCurve(50);
    EXPECT_EQ(t50[50], 0);
    EXPECT_EQ(t50[51], 1);
    EXPECT_EQ(t50[128], 97);
    EXPECT_EQ(t50[200], 186);
    EXPECT_EQ(t50[254], 253);

    const LookupTable t70 = ToneCurve(70);
    EXPECT_EQ(t70[70], 0);
    EXPECT_EQ(t70[71], 1);
    EXPECT_EQ(t70[128], 79);
    EXPECT_EQ(t70[200], 179);
    EXPECT_EQ(t70[254], 253);
}

TEST(ToneCurve, LightensByANegativeAmount)
{
    const LookupTable t = ToneCurve(-50);
    EXPECT_EQ(t[0], 50);
    EXPECT_EQ(t[1], 50);
    EXPECT_EQ(t[128], 152);
    EXPECT_EQ(t[200], 210);
    EXPECT_EQ(t[254], 254);
    EXPECT_EQ(t[255], 255);
}

TEST(ToneCurve, ExtremeAmountsAreCapped)
{
    for (const std::int32_t amount : {254, 300, INT32_MAX}) {
        const LookupTable t = ToneCurve(amount);
        for (int i = 0; i < 255; ++i)
            ASSERT_EQ(t[i], 0) << amount << " at " << i;
        EXPECT_EQ(t[255], 255);
    }
    for (const std::int32_t amount : {-254, INT32_MIN}) {
        const LookupTable t = ToneCurve(amount);
        for (int i = 0; i < 255; ++i)
            ASSERT_EQ(t[i], 254) << amount << " at " << i;
        EXPECT_EQ(t[255], 255);
    }
    const LookupTable identity = ToneCurve(0);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(identity[i], i);
}

TEST(ApplyToneCurve, MapsColourBytesAndKeepsTheFourthByte)
{
    Bitmap bitmap(2, 1, PixelFormat::Bits32);
    const std::uint8_t pixels[] = {10, 20, 30, 99, 36, 128, 255, 7};
    std::copy(std::begin(pixels), std::end(pixels), bitmap.ScanLine(0));
    ApplyToneCurve(&bitmap, 35);
    EXPECT_EQ(std::vector<std::uint8_t>(bitmap.ScanLine(0), bitmap.ScanLine(0) + 8),
              (std::vector<std::uint8_t>{0, 0, 0, 99, 1, 107, 255, 7}));

    Bitmap rgb(2, 2, PixelFormat::Bits24);
    rgb.ScanLine(1)[5] = 128;
    ApplyToneCurve(&rgb, -50);
    EXPECT_EQ(rgb.ScanLine(1)[5], 152);
    EXPECT_EQ(rgb.ScanLine(0)[0], 50);
    EXPECT_EQ(rgb.ScanLine(0)[6], 0) << "row padding is not a pixel";

    ApplyToneCurve(nullptr, 35);
}

TEST(ApplyLookupTable, MapsPaletteIndicesButNotThePalette)
{
    Bitmap bitmap(3, 1, PixelFormat::Bits8);
    SetGreyPalette(&bitmap);
    bitmap.ScanLine(0)[0] = 50;
    bitmap.ScanLine(0)[2] = 200;
    ApplyToneCurve(&bitmap, 50);
    EXPECT_EQ(bitmap.ScanLine(0)[0], 0);
    EXPECT_EQ(bitmap.ScanLine(0)[2], 186);
    EXPECT_EQ(bitmap.ColourTable(), GreyPalette());

    Bitmap empty(0, 4, PixelFormat::Bits24);
    ApplyToneCurve(&empty, 35);
    EXPECT_TRUE(empty.Empty());
}

TEST(ConvertToGrey8, KeepsTheBlueChannel)
{
    for (const PixelFormat format : {PixelFormat::Bits24, PixelFormat::Bits32}) {
        auto bitmap = std::make_unique<Bitmap>(2, 2, format);
        const int step = bitmap->BytesPerPixel();
        std::uint8_t* pixel = bitmap->ScanLine(1) + step;
        pixel[0] = 40;
        pixel[1] = 200;
        pixel[2] = 90;
        bitmap->ScanLine(0)[0] = 7;
        ConvertToGrey8(bitmap);
        ASSERT_EQ(bitmap->Format(), PixelFormat::Bits8);
        EXPECT_EQ(bitmap->Width(), 2);
        EXPECT_EQ(bitmap->Height(), 2);
        EXPECT_EQ(bitmap->ScanLine(1)[1], 40);
        EXPECT_EQ(bitmap->ScanLine(0)[0], 7);
        EXPECT_EQ(bitmap->ScanLine(0)[1], 0);
        EXPECT_EQ(bitmap->ColourTable(), GreyPalette());
    }
}

TEST(ConvertToGrey8, LeavesAn8BitBitmapInPlaceAndNullAlone)
{
    auto bitmap = std::make_unique<Bitmap>(3, 3, PixelFormat::Bits8);
    bitmap->ScanLine(2)[2] = 77;
    const Bitmap* object = bitmap.get();
    ConvertToGrey8(bitmap);
    EXPECT_EQ(bitmap.get(), object);
    EXPECT_EQ(bitmap->ScanLine(2)[2], 77);

    std::unique_ptr<Bitmap> none;
    ConvertToGrey8(none);
    EXPECT_FALSE(none);
}

}  // namespace
}  // namespace velmora
