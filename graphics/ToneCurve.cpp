#include "graphics/ToneCurve.h"

#include <algorithm>

namespace velmora {

namespace {

void MapBytes(std::uint8_t* bytes, std::size_t count, const LookupTable& table)
{
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = table[bytes[i]];
}

void MapColourBytesOf32BitRow(std::uint8_t* pixel, int width, const LookupTable& table)
{
    for (int col = 0; col < width; ++col, pixel += 4) {
        pixel[0] = table[pixel[0]];
        pixel[1] = table[pixel[1]];
        pixel[2] = table[pixel[2]];
    }
}

}  // namespace

LookupTable ToneCurve(std::int32_t amount)
{
    // 64-bit so that the magnitude of the most negative amount exists.
    const int b = static_cast<int>(std::min<std::int64_t>(amount < 0 ? -std::int64_t{amount} : amount, 254));
    LookupTable table{};
    for (int i = 0; i < 256; ++i) {
        if (amount >= 0)
            table[i] = static_cast<std::uint8_t>(std::max((i - b) * 255 / (255 - b), 0));
        else
            table[i] = static_cast<std::uint8_t>((255 - b) * i / 255 + b);
    }
    return table;
}

void ApplyToneCurve(Bitmap* bitmap, std::int32_t amount)
{
    if (bitmap != nullptr)
        ApplyLookupTable(bitmap, ToneCurve(amount));
}

void ApplyLookupTable(Bitmap* bitmap, const LookupTable& table)
{
    if (bitmap == nullptr || bitmap->Empty())
        return;
    const int width = bitmap->Width();
    for (int row = 0; row < bitmap->Height(); ++row) {
        std::uint8_t* line = bitmap->ScanLine(row);
        switch (bitmap->Format()) {
        case PixelFormat::Bits8: MapBytes(line, static_cast<std::size_t>(width), table); break;
        case PixelFormat::Bits24: MapBytes(line, 3 * static_cast<std::size_t>(width), table); break;
        case PixelFormat::Bits32: MapColourBytesOf32BitRow(line, width, table); break;
        }
    }
}

void SetGreyPalette(Bitmap* bitmap)
{
    if (bitmap != nullptr)
        bitmap->SetColourTable(GreyPalette());
}

void ConvertToGrey8(std::unique_ptr<Bitmap>& bitmap)
{
    if (!bitmap)
        return;
    const PixelFormat format = bitmap->Format();
    if (format != PixelFormat::Bits24 && format != PixelFormat::Bits32) {
        bitmap->SetFormat(PixelFormat::Bits8);
        return;
    }
    auto grey = std::make_unique<Bitmap>(0, 0, PixelFormat::Bits8);
    SetGreyPalette(grey.get());
    grey->SetSize(bitmap->Width(), bitmap->Height());
    const int step = bitmap->BytesPerPixel();
    for (int row = 0; row < grey->Height(); ++row) {
        const std::uint8_t* source = bitmap->ScanLine(row);
        std::uint8_t* target = grey->ScanLine(row);
        for (int col = 0; col < grey->Width(); ++col)
            target[col] = source[static_cast<std::size_t>(col) * step];
    }
    bitmap = std::move(grey);
}

}  // namespace velmora
