#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "core/LoadError.h"
#include "core/Stream.h"
#include "graphics/Bitmap.h"
#include "graphics/Colour.h"

namespace velmora {

// A single-channel 8-bit picture as read from a ".tbb" file: 0 is background,
// 255 full ink. Loaders never raise; they report success as a bool and always
// start from an empty image, so a failed load never leaves an older picture.
class CoveragePicture {
public:
    static constexpr std::int64_t kMaxPixels = 8388608;  // 0x800000
    static constexpr std::int32_t kMaxDimension = 100000;
    static constexpr std::int32_t kMaxPackedBytes = 8388608;
    // How a load stores the values: as the file holds them, or each v as
    // 255 - v, which costs nothing extra while decoding. A failed load is
    // never inverted.
    enum class Values : std::uint8_t { AsStored, Inverted };

    CoveragePicture() = default;
    CoveragePicture(const CoveragePicture& other) { Assign(other); }
    CoveragePicture& operator=(const CoveragePicture& other)
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
    void Assign(const CoveragePicture& source);

    // `path` is a Linux path; content paths go through ResolveContentPath
    // first. `error`, when given, receives the reason of a failure.
    // A file's pixels, or its packed codes, are read straight into the
    // picture's own store, and the codes expanded there: no other buffer.
    bool LoadFromFile(const std::string& path, LoadError* error = nullptr, Values values = Values::AsStored);
    bool LoadFromStream(Stream& stream, LoadError* error = nullptr);

    void Invert();
    void DrawTo(Bitmap* target, int x, int y, Colour colour0, Colour colour255) const;
    std::unique_ptr<Bitmap> CreateTwoColourBitmap(Colour colour0, Colour colour255) const;
    std::unique_ptr<Bitmap> CreateGreyBitmap() const;

private:
    LoadError Decode(Stream& stream, std::uint8_t flip);
    LoadError DecodePacked(Stream& stream, std::uint8_t flip, std::size_t& written);
    LoadError ReadUnpacked(Stream& stream, std::uint8_t flip, std::size_t& written);
    LoadError ReadDimensions(Stream& stream);
    void AllocateForOverwrite(std::int32_t width, std::int32_t height);
    std::int64_t PixelCount() const { return static_cast<std::int64_t>(width_) * height_; }

    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::unique_ptr<std::uint8_t[]> data_;
};

}  // namespace velmora
