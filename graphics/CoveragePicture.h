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

class ReadBuffer;

// A single-channel 8-bit picture as read from a ".tbb" file: 0 is background,
// 255 full ink. Loaders never raise; they report success as a bool and always
// start from an empty image, so a failed load never leaves an older picture.
// A picture loaded "on first use" knows its file and size but decodes its
// pixels only when they are first asked for; it may be shared between
// threads, as one that is decoded already may.
class CoveragePicture {
public:
    static constexpr std::int64_t kMaxPixels = 8388608;  // 0x800000
    static constexpr std::int32_t kMaxDimension = 100000;
    static constexpr std::int32_t kMaxPackedBytes = 8388608;
    // How a load stores the values: as the file holds them, or each v as
    // 255 - v, which costs nothing extra while decoding. A failed load is
    // never inverted.
    enum class Values : std::uint8_t { AsStored, Inverted };

    CoveragePicture();
    ~CoveragePicture();
    CoveragePicture(const CoveragePicture& other);
    CoveragePicture& operator=(const CoveragePicture& other);

    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    // The pixels, row after row without padding; null when the image is empty.
    // A picture loaded on first use is decoded here, once.
    std::uint8_t* Data()
    {
        DecodeIfDeferred();
        return data_.get();
    }
    const std::uint8_t* Data() const
    {
        DecodeIfDeferred();
        return data_.get();
    }

    void Clear();
    void SetSize(std::int32_t width, std::int32_t height);
    void Assign(const CoveragePicture& source);

    // `path` is a Linux path; content paths go through ResolveContentPath
    // first. `error`, when given, receives the reason of a failure.
    // A file's pixels, or its packed codes, are read straight into the
    // picture's own store, and the codes expanded there: no other buffer.
    bool LoadFromFile(const std::string& path, LoadError* error = nullptr, Values values = Values::AsStored);
    bool LoadFromStream(Stream& stream, LoadError* error = nullptr);
    // As LoadFromFile, except that a file that would load is only checked
    // now: the picture takes its size, and its pixels are decoded from the
    // file the first time they are used (Data, drawing, a bitmap, a copy),
    // by whichever thread asks first. A file that would fail is decoded now,
    // as LoadFromFile decodes it. The file is read whole into `buffer`.
    // Should the file have changed by the time the pixels are decoded, the
    // picture keeps the size it was checked at: the new pixels when the file
    // still decodes at that size, otherwise all background (blank).
    bool LoadOnFirstUse(const std::string& path, ReadBuffer& buffer, LoadError* error = nullptr,
                        Values values = Values::AsStored);
    // As LoadOnFirstUse for a file known to have passed the check at
    // `width` x `height`, without reading it now. False, leaving the picture
    // empty, for a size no picture file can have.
    bool LoadCheckedOnFirstUse(const std::string& path, std::int32_t width, std::int32_t height,
                               Values values = Values::AsStored);

    // How a picture file would load, found without writing a pixel: the
    // reason LoadFromStream fails on these bytes (None when it loads) and
    // the width and height of the picture it leaves.
    static LoadError Check(const std::uint8_t* bytes, std::size_t size, std::int32_t& width, std::int32_t& height);

    void Invert();
    void DrawTo(Bitmap* target, int x, int y, Colour colour0, Colour colour255) const;
    std::unique_ptr<Bitmap> CreateTwoColourBitmap(Colour colour0, Colour colour255) const;
    std::unique_ptr<Bitmap> CreateGreyBitmap() const;

private:
    struct Deferred;

    void DecodeIfDeferred() const;
    std::unique_ptr<std::uint8_t[]> DecodeDeferred() const;
    // Decodes a deferred picture and forgets its file: its pixels are its own.
    void OwnPixels();
    LoadError Decode(Stream& stream, std::uint8_t flip);
    LoadError DecodePacked(Stream& stream, std::uint8_t flip, std::size_t& written);
    LoadError ReadUnpacked(Stream& stream, std::uint8_t flip, std::size_t& written);
    void AllocateForOverwrite(std::int32_t width, std::int32_t height);
    std::int64_t PixelCount() const { return static_cast<std::int64_t>(width_) * height_; }

    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    // Set by the deferred decoding, which a const access may start.
    mutable std::unique_ptr<std::uint8_t[]> data_;
    std::unique_ptr<Deferred> deferred_;
};

}  // namespace velmora
