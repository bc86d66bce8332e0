#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "graphics/Palette.h"
#include "graphics/PixelFormat.h"

namespace velmora {

// Toolkit-neutral, device-independent bitmap: 8 bits per pixel with a
// 256-entry palette, 24 bits (blue, green, red) or 32 bits (blue, green, red,
// a fourth byte). Row 0 is the top row; every row starts on a 4-byte boundary
// so the pixels can be wrapped by a drawing toolkit without copying.
class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height, PixelFormat format = PixelFormat::Bits24);

    int Width() const { return width_; }
    int Height() const { return height_; }
    PixelFormat Format() const { return format_; }
    int BytesPerPixel() const { return BytesPerPixel(format_); }
    std::size_t Stride() const { return stride_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }

    std::uint8_t* ScanLine(int row) { return pixels_.data() + static_cast<std::size_t>(row) * stride_; }
    const std::uint8_t* ScanLine(int row) const { return pixels_.data() + static_cast<std::size_t>(row) * stride_; }
    std::uint8_t* Bits() { return pixels_.data(); }
    const std::uint8_t* Bits() const { return pixels_.data(); }

    // Size changes keep the overlap with the old pixels at the top-left;
    // uncovered pixels are zero. A negative size counts as 0.
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    void SetSize(int width, int height);

    // Converts the pixels to the new format in place. To 8 bits the grey
    // palette is set and each pixel becomes its luminance; from 8 bits each
    // pixel becomes its palette colour.
    void SetFormat(PixelFormat format);

    const Palette& ColourTable() const { return palette_; }
    void SetColourTable(const Palette& palette) { palette_ = palette; }

    static int BytesPerPixel(PixelFormat format);
    static std::size_t StrideFor(int width, PixelFormat format);

private:
    int width_ = 0;
    int height_ = 0;
    PixelFormat format_ = PixelFormat::Bits24;
    std::size_t stride_ = 0;
    std::vector<std::uint8_t> pixels_;
    Palette palette_{};
};

// The 256-level grey palette: entry i is (i, i, i) with flags 0.
Palette GreyPalette();

}  // namespace velmora
