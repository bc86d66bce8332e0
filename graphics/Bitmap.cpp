#include "graphics/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace velmora {

namespace {

std::size_t CheckedImageBytes(std::size_t stride, int height)
{
    std::size_t bytes = 0;
    if (__builtin_mul_overflow(stride, static_cast<std::size_t>(height), &bytes))
        throw std::length_error("bitmap size overflows");
    return bytes;
}

std::uint8_t Luminance(std::uint8_t blue, std::uint8_t green, std::uint8_t red)
{
    // Rec. 601 weights in 8.8 fixed point; they add up to 256, so white stays 255.
    return static_cast<std::uint8_t>((red * 77 + green * 150 + blue * 29) >> 8);
}

}  // namespace

Palette GreyPalette()
{
    Palette palette{};
    for (int i = 0; i < 256; ++i) {
        const auto level = static_cast<std::uint8_t>(i);
        palette[i] = PaletteEntry{level, level, level, 0};
    }
    return palette;
}

Bitmap::Bitmap(int width, int height, PixelFormat format) : format_(format)
{
    SetSize(width, height);
}

int Bitmap::BytesPerPixel(PixelFormat format)
{
    switch (format) {
    case PixelFormat::Bits8: return 1;
    case PixelFormat::Bits24: return 3;
    case PixelFormat::Bits32: return 4;
    }
    return 3;
}

std::size_t Bitmap::StrideFor(int width, PixelFormat format)
{
    const std::size_t rowBytes = static_cast<std::size_t>(std::max(width, 0)) * BytesPerPixel(format);
    return (rowBytes + 3) & ~static_cast<std::size_t>(3);
}

void Bitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_)
        return;

    const std::size_t newStride = StrideFor(width, format_);
    std::vector<std::uint8_t> fresh(CheckedImageBytes(newStride, height), 0);
    const std::size_t copyBytes = std::min(newStride, stride_);
    const int copyRows = copyBytes == 0 ? 0 : std::min(height, height_);
    for (int row = 0; row < copyRows; ++row)
        std::memcpy(fresh.data() + row * newStride, ScanLine(row), copyBytes);

    pixels_ = std::move(fresh);
    stride_ = newStride;
    width_ = width;
    height_ = height;
    // Bytes past the new width in a copied row belong to the old, wider row.
    const std::size_t usedBytes = static_cast<std::size_t>(width_) * BytesPerPixel();
    if (usedBytes < stride_) {
        for (int row = 0; row < copyRows; ++row)
            std::memset(ScanLine(row) + usedBytes, 0, stride_ - usedBytes);
    }
}

void Bitmap::SetFormat(PixelFormat format)
{
    if (format == format_)
        return;

    Bitmap converted;
    converted.format_ = format;
    converted.palette_ = format == PixelFormat::Bits8 ? GreyPalette() : palette_;
    converted.SetSize(width_, height_);

    const int srcStep = BytesPerPixel();
    const int dstStep = converted.BytesPerPixel();
    for (int row = 0; row < height_; ++row) {
        const std::uint8_t* src = ScanLine(row);
        std::uint8_t* dst = converted.ScanLine(row);
        for (int col = 0; col < width_; ++col, src += srcStep, dst += dstStep) {
            std::uint8_t blue = 0, green = 0, red = 0;
            if (format_ == PixelFormat::Bits8) {
                const PaletteEntry& entry = palette_[*src];
                blue = entry.blue;
                green = entry.green;
                red = entry.red;
            } else {
                blue = src[0];
                green = src[1];
                red = src[2];
            }
            if (format == PixelFormat::Bits8) {
                dst[0] = Luminance(blue, green, red);
            } else {
                dst[0] = blue;
                dst[1] = green;
                dst[2] = red;
            }
        }
    }
    *this = std::move(converted);
}

}  // namespace velmora
