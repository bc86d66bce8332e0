#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/Bytestream.h"
#include "graphics/TBitmap.h"

namespace velmora {

// Why a picture file was refused; the loaders report it for tools that
// explain a content directory, the program only looks at success.
enum class TTbbError {
    None,
    NoFile,                 // cannot be opened or read
    BadMagic,               // not "TBB1" or "TBBs"
    DimensionsOutOfRange,   // a dimension outside 0..100,000 or too many pixels
    PackedLengthOutOfRange, // packed length outside 0..8,388,608
    ShortData,              // the file ends inside the header or the body
    PackedLeftOver,         // packed codes left after the image is full
    PackedShort,            // the packed codes end before the image is full
};

// A short English description of the error, for tools.
const char* TbbErrorText(TTbbError error);

// Toolkit colour value: red in bits 0-7, green in 8-15, blue in 16-23.
using TColor = std::uint32_t;

// A single-channel 8-bit picture as read from a ".tbb" file: 0 is background,
// 255 full ink. Loaders never raise; they report success as a bool and always
// start from an empty image, so a failed load never leaves an older picture.
class CTByteBitmap {
public:
    static constexpr std::int64_t kMaxPixels = 8388608;  // 0x800000
    static constexpr std::int32_t kMaxDimension = 100000;
    static constexpr std::int32_t kMaxPackedBytes = 8388608;

    CTByteBitmap() = default;
    CTByteBitmap(const CTByteBitmap& other) { Assign(other); }
    CTByteBitmap& operator=(const CTByteBitmap& other)
    {
        Assign(other);
        return *this;
    }

    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    // The pixels, row after row without padding; null when the image is empty.
    std::uint8_t* Data() { return data_.get(); }
    const std::uint8_t* Data() const { return data_.get(); }

    void Clear();
    void SetSize(std::int32_t width, std::int32_t height);
    void Assign(const CTByteBitmap& source);

    // `path` is a Linux path; content paths go through ResolveContentPath
    // first. `error`, when given, receives the reason of a failure.
    bool LoadFromFile(const std::string& path, TTbbError* error = nullptr);
    bool LoadFromStream(CStream& stream, TTbbError* error = nullptr);

    // A stored seven-bit value v becomes (2v) mod 256, with 254 raised to 255
    // so that the largest value is full ink.
    static constexpr std::uint8_t ExpandSevenBit(std::uint8_t v)
    {
        const auto doubled = static_cast<std::uint8_t>(v * 2);
        return doubled == 254 ? 255 : doubled;
    }

    void Invert();
    void DrawTo(TBitmap* target, int x, int y, TColor colour0, TColor colour255) const;
    std::unique_ptr<TBitmap> CreateTwoColourBitmap(TColor colour255, TColor colour0) const;
    std::unique_ptr<TBitmap> CreateGreyBitmap() const;

private:
    TTbbError Decode(CStream& stream);
    TTbbError DecodePacked(CStream& stream);
    TTbbError ReadDimensions(CStream& stream);
    std::int64_t PixelCount() const { return static_cast<std::int64_t>(width_) * height_; }

    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::unique_ptr<std::uint8_t[]> data_;
};

}  // namespace velmora
