#include "graphics/CoveragePicture.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "core/FileStream.h"
#include "core/LittleEndian.h"
#include "graphics/PackedPicture.h"

namespace velmora {

namespace {

bool ReadInt32(Stream& stream, std::int32_t& value)
{
    std::uint8_t bytes[4];
    if (stream.Read(bytes, 4) != 4)
        return false;
    value = static_cast<std::int32_t>(ReadLittle32(bytes));
    return true;
}

std::uint8_t Channel(Colour colour, int shift)
{
    return static_cast<std::uint8_t>((colour >> shift) & 0xFF);
}

// The colour of every coverage value for one channel: value 0 is exactly a,
// 255 exactly b, and the values between are blended with weight v + 1.
std::array<std::uint8_t, 256> BlendTable(std::uint8_t a, std::uint8_t b)
{
    std::array<std::uint8_t, 256> table{};
    table[0] = a;
    for (int v = 1; v < 255; ++v) {
        const int u = v + 1;
        table[v] = static_cast<std::uint8_t>(b >= a ? a + ((b - a) * u) / 256 : a - ((a - b) * u) / 256);
    }
    table[255] = b;
    return table;
}

}  // namespace

void CoveragePicture::Clear()
{
    data_.reset();
    width_ = 0;
    height_ = 0;
}

void CoveragePicture::SetSize(std::int32_t width, std::int32_t height)
{
    if (static_cast<std::int64_t>(width) * height > kMaxPixels)
        return;
    if (width == width_ && height == height_)
        return;
    if (width <= 0 || height <= 0) {
        data_.reset();
        if (width <= 0)
            width_ = 0;
        if (height <= 0)
            height_ = 0;
        return;
    }

    auto fresh = std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(width) * height);
    if (data_) {
        const std::int32_t rows = std::min(height, height_);
        const std::int32_t cols = std::min(width, width_);
        for (std::int32_t row = 0; row < rows; ++row)
            std::memcpy(fresh.get() + static_cast<std::size_t>(row) * width,
                        data_.get() + static_cast<std::size_t>(row) * width_, cols);
    }
    data_ = std::move(fresh);
    width_ = width;
    height_ = height;
}

void CoveragePicture::Assign(const CoveragePicture& source)
{
    if (this == &source)
        return;
    if (!data_ || width_ != source.width_ || height_ != source.height_) {
        width_ = source.width_;
        height_ = source.height_;
        data_.reset();
        if (source.data_)
            data_ = std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(PixelCount()));
    }
    if (data_)
        std::memcpy(data_.get(), source.data_.get(), static_cast<std::size_t>(PixelCount()));
}

bool CoveragePicture::LoadFromFile(const std::string& path, LoadError* error)
{
    FileStream stream(path);
    if (!stream.IsOpen()) {
        Clear();
        if (error != nullptr)
            *error = stream.OpenError();
        return false;
    }
    if (LoadFromStream(stream, error))
        return true;
    // A read that failed (rather than ended) is not the file's fault.
    if (error != nullptr && stream.Failed())
        *error = LoadError::Unreadable;
    return false;
}

bool CoveragePicture::LoadFromStream(Stream& stream, LoadError* error)
{
    const LoadError result = Decode(stream);
    if (error != nullptr)
        *error = result;
    return result == LoadError::None;
}

LoadError CoveragePicture::ReadDimensions(Stream& stream)
{
    std::int32_t width = 0;
    std::int32_t height = 0;
    if (!ReadInt32(stream, width))
        return LoadError::ShortData;
    if (width < 0 || width > kMaxDimension)
        return LoadError::DimensionsOutOfRange;
    if (!ReadInt32(stream, height))
        return LoadError::ShortData;
    if (height < 0 || height > kMaxDimension)
        return LoadError::DimensionsOutOfRange;
    // 100,000 x 100,000 does not fit in 32 bits: the product is taken in 64.
    if (static_cast<std::int64_t>(width) * height > kMaxPixels)
        return LoadError::DimensionsOutOfRange;
    SetSize(width, height);
    return LoadError::None;
}

LoadError CoveragePicture::Decode(Stream& stream)
{
    Clear();
    char magic[4];
    if (stream.Read(magic, 4) != 4)
        return LoadError::ShortData;
    if (std::memcmp(magic, kPackedPictureMagic, 4) == 0)
        return DecodePacked(stream);
    if (std::memcmp(magic, kUnpackedPictureMagic, 4) != 0)
        return LoadError::BadMagic;
    if (const LoadError error = ReadDimensions(stream); error != LoadError::None)
        return error;
    const auto count = static_cast<std::size_t>(PixelCount());
    if (count == 0)
        return LoadError::None;
    return stream.Read(data_.get(), count) == count ? LoadError::None : LoadError::ShortData;
}

LoadError CoveragePicture::DecodePacked(Stream& stream)
{
    if (const LoadError error = ReadDimensions(stream); error != LoadError::None)
        return error;
    std::int32_t packedSize = 0;
    if (!ReadInt32(stream, packedSize))
        return LoadError::ShortData;
    if (packedSize < 0 || packedSize > kMaxPackedBytes)
        return LoadError::PackedLengthOutOfRange;
    const auto total = static_cast<std::size_t>(PixelCount());
    if (packedSize == 0)
        return total == 0 ? LoadError::None : LoadError::PackedShort;

    const auto size = static_cast<std::size_t>(packedSize);
    std::vector<std::uint8_t> packed(size);
    if (stream.Read(packed.data(), size) != size)
        return LoadError::ShortData;

    // Values are expanded from seven bits as they are written. Pixels the
    // stream does not reach stay 0, which the expansion maps to 0 as well, so
    // the store ends up as if the whole of it were expanded after decoding.
    // With no pixels data_ is null and the loop never writes.
    std::uint8_t* out = data_.get();
    const std::uint8_t* in = packed.data();
    std::size_t i = 0;
    std::size_t p = 0;
    while (i < size && p < total) {
        const std::uint8_t code = in[i++];
        if (code < kRunCode) {
            out[p++] = ExpandSevenBit(code);
            continue;
        }
        if (i == size)
            return LoadError::PackedShort;  // the run's count byte is missing
        const std::size_t run = std::min<std::size_t>(in[i++] + kMinRun, total - p);
        std::memset(out + p, ExpandSevenBit(code - kRunCode), run);
        p += run;
    }
    if (p < total)
        return LoadError::PackedShort;
    return i == size ? LoadError::None : LoadError::PackedLeftOver;
}

void CoveragePicture::Invert()
{
    std::uint8_t* pixel = data_.get();
    const auto count = static_cast<std::size_t>(PixelCount());
    for (std::size_t k = 0; k < count; ++k)
        pixel[k] = static_cast<std::uint8_t>(255 - pixel[k]);
}

void CoveragePicture::DrawTo(Bitmap* target, int x, int y, Colour colour0, Colour colour255) const
{
    if (target == nullptr || !data_)
        return;
    if (target->Format() == PixelFormat::Bits8)
        return;

    // 64-bit bounds: x and y may be anywhere in the int range.
    const std::int64_t firstCol = std::max<std::int64_t>(0, -static_cast<std::int64_t>(x));
    const std::int64_t endCol = std::min<std::int64_t>(width_, static_cast<std::int64_t>(target->Width()) - x);
    const std::int64_t firstRow = std::max<std::int64_t>(0, -static_cast<std::int64_t>(y));
    const std::int64_t endRow = std::min<std::int64_t>(height_, static_cast<std::int64_t>(target->Height()) - y);
    if (firstCol >= endCol || firstRow >= endRow)
        return;

    const auto blue = BlendTable(Channel(colour0, 16), Channel(colour255, 16));
    const auto green = BlendTable(Channel(colour0, 8), Channel(colour255, 8));
    const auto red = BlendTable(Channel(colour0, 0), Channel(colour255, 0));
    const int step = target->BytesPerPixel();
    for (std::int64_t row = firstRow; row < endRow; ++row) {
        const std::uint8_t* src = data_.get() + row * width_;
        std::uint8_t* dst = target->ScanLine(static_cast<int>(y + row)) + (x + firstCol) * step;
        for (std::int64_t col = firstCol; col < endCol; ++col, dst += step) {
            const std::uint8_t v = src[col];
            dst[0] = blue[v];
            dst[1] = green[v];
            dst[2] = red[v];
        }
    }
}

std::unique_ptr<Bitmap> CoveragePicture::CreateTwoColourBitmap(Colour colour0, Colour colour255) const
{
    auto bitmap = std::make_unique<Bitmap>(width_, height_, PixelFormat::Bits24);
    DrawTo(bitmap.get(), 0, 0, colour0, colour255);
    return bitmap;
}

std::unique_ptr<Bitmap> CoveragePicture::CreateGreyBitmap() const
{
    auto bitmap = std::make_unique<Bitmap>(width_, height_, PixelFormat::Bits24);
    if (!data_)
        return bitmap;
    for (std::int32_t row = 0; row < height_; ++row) {
        const std::uint8_t* src = data_.get() + static_cast<std::size_t>(row) * width_;
        std::uint8_t* dst = bitmap->ScanLine(row);
        for (std::int32_t col = 0; col < width_; ++col, dst += 3)
            dst[0] = dst[1] = dst[2] = src[col];
    }
    return bitmap;
}

}  // namespace velmora
