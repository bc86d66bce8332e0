#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

enum class TPixelFormat : std::uint8_t { pf8bit, pf24bit, pf32bit };

// A palette entry as the bitmap stores it; `flags` is kept for the
// palette's own bookkeeping and never affects pixels.
struct TPaletteEntry {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t flags = 0;

    friend bool operator==(const TPaletteEntry&, const TPaletteEntry&) = default;
};

using TPalette = std::array<TPaletteEntry, 256>;

// Toolkit-neutral, device-independent bitmap: 8 bits per pixel with a
// 256-entry palette, 24 bits (blue, green, red) or 32 bits (blue, green, red,
// a fourth byte). Row 0 is the top row; every row starts on a 4-byte boundary
// so the pixels can be wrapped by a drawing toolkit without copying.
class TBitmap {
public:
    TBitmap() = default;
    TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf24bit);

    int Width() const { return width_; }
    int Height() const { return height_; }
    TPixelFormat PixelFormat() const { return format_; }
    int BytesPerPixel() const { return BytesPerPixel(format_); }
    std::size_t Stride() const { return stride_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }

    std::uint8_t* ScanLine(int row) { return pixels_.data() + static_cast<std::size_t>(row) * stride_; }
    const std::uint8_t* ScanLine(int row) const
    {
        return pixels_.data() + static_cast<std::size_t>(row) * stride_;
    }
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
    void SetPixelFormat(TPixelFormat format);

    const TPalette& Palette() const { return palette_; }
    void SetPalette(const TPalette& palette) { palette_ = palette; }

    static int BytesPerPixel(TPixelFormat format);
    static std::size_t StrideFor(int width, TPixelFormat format);

private:
    int width_ = 0;
    int height_ = 0;
    TPixelFormat format_ = TPixelFormat::pf24bit;
    std::size_t stride_ = 0;
    std::vector<std::uint8_t> pixels_;
    TPalette palette_{};
};

// The 256-level grey palette: entry i is (i, i, i) with flags 0.
TPalette GreyPalette();

}  // namespace velmora
