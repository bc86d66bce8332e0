#include "graphics/CoveragePicture.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
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

// Where expanding the codes stopped: codes used, pixels written, and whether
// a run's count byte was missing.
struct Expansion {
    std::size_t used = 0;
    std::size_t written = 0;
    bool countMissing = false;
};

// Detailed pictures are mostly literal codes; sixteen of them in a row are
// expanded together, eight to a 64-bit word, without a branch per pixel.
constexpr std::size_t kLiteralBlock = 16;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
constexpr std::uint64_t kLowBits = 0x7F7F7F7F7F7F7F7FULL;

bool AllLiterals(std::uint64_t low, std::uint64_t high)
{
    return ((low | high) & kHighBits) == 0;
}

// ExpandSevenBit on eight seven-bit values at once, XORed with `flip`. No
// byte's doubling carries into the next, as every byte is below 0x80; a
// byte of 0x7F (found as the zero bytes of x ^ 0x7F..., exactly, since the
// sum below cannot carry either) gets the low bit that makes 254 into 255.
std::uint64_t ExpandEight(std::uint64_t x, std::uint64_t flip)
{
    const std::uint64_t differs = x ^ kLowBits;
    const std::uint64_t isTop = ~(((differs & kLowBits) + kLowBits) | differs) & kHighBits;
    return ((x << 1) | (isTop >> 7)) ^ flip;
}

std::uint8_t Expanded(std::uint8_t sevenBit, std::uint8_t flip)
{
    return static_cast<std::uint8_t>(ExpandSevenBit(sevenBit) ^ flip);
}

// The codes are apart from the pixels: no pixel can overwrite one.
constexpr std::size_t kCodesApart = std::numeric_limits<std::size_t>::max() / 2;

// Expands `size` packed codes from `in` into `out` (`total` pixels), each
// value XORed with `flip` (0, or 0xFF to invert it). The codes may be the
// last bytes of `out` itself, `slack` = total - size bytes after its start.
// Every code gives at least one pixel per byte, so in a picture that decodes
// exactly, the pixels written never catch up with the codes not yet read:
// pixels written minus codes read never exceeds the slack. Only a broken
// stream's run could cross that line; the codes it would overwrite are
// copied out first and expanded from the copy.
Expansion ExpandCodes(const std::uint8_t* in, std::size_t size, std::uint8_t* out, std::size_t total, std::uint8_t flip,
                      std::size_t slack)
{
    const std::uint64_t flipWord = flip != 0 ? ~std::uint64_t{0} : 0;
    std::size_t i = 0;
    std::size_t p = 0;
    while (i < size && p < total) {
        if (size - i >= kLiteralBlock && total - p >= kLiteralBlock) {
            // Both words are read before either is written: pixels and
            // codes may be the same bytes.
            std::uint64_t low = 0;
            std::uint64_t high = 0;
            std::memcpy(&low, in + i, 8);
            std::memcpy(&high, in + i + 8, 8);
            if (AllLiterals(low, high)) {
                low = ExpandEight(low, flipWord);
                high = ExpandEight(high, flipWord);
                std::memcpy(out + p, &low, 8);
                std::memcpy(out + p + 8, &high, 8);
                i += kLiteralBlock;
                p += kLiteralBlock;
                continue;
            }
        }
        const std::uint8_t code = in[i++];
        if (code < kRunCode) {
            out[p++] = Expanded(code, flip);
            continue;
        }
        if (i == size)
            return {i, p, true};
        const std::size_t run = std::min<std::size_t>(in[i++] + kMinRun, total - p);
        const std::uint8_t value = Expanded(static_cast<std::uint8_t>(code - kRunCode), flip);
        if (p + run > slack + i) {
            const std::vector<std::uint8_t> rest(in + i, in + size);
            std::memset(out + p, value, run);
            p += run;
            const Expansion tail = ExpandCodes(rest.data(), rest.size(), out + p, total - p, flip, kCodesApart);
            return {i + tail.used, p + tail.written, tail.countMissing};
        }
        std::memset(out + p, value, run);
        p += run;
    }
    return {i, p, false};
}

// A fresh store's pages are mapped one fault at a time as they are first
// written, each fault an exception into the kernel and out; asking for all
// of them at once costs a fraction of that. Every byte of a store is written
// by the load, so nothing is mapped that would not be anyway. Where the
// system cannot, the pages fault in as before.
void MapForWriting(std::uint8_t* store, std::size_t size)
{
#ifdef MADV_POPULATE_WRITE
    static const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    constexpr std::uintptr_t kWorthAsking = 16;  // pages
    const auto start = reinterpret_cast<std::uintptr_t>(store);
    const std::uintptr_t first = (start + page - 1) / page * page;
    const std::uintptr_t end = (start + size) / page * page;
    if (end > first + kWorthAsking * page)
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
#else
    (void)store;
    (void)size;
#endif
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

bool CoveragePicture::LoadFromFile(const std::string& path, LoadError* error, Values values)
{
    FileStream stream(path);
    if (!stream.IsOpen()) {
        Clear();
        if (error != nullptr)
            *error = stream.OpenError();
        return false;
    }
    LoadError result = Decode(stream, values == Values::Inverted ? 0xFF : 0x00);
    // A read that failed (rather than ended) is not the file's fault.
    if (result != LoadError::None && stream.Failed())
        result = LoadError::Unreadable;
    if (error != nullptr)
        *error = result;
    return result == LoadError::None;
}

bool CoveragePicture::LoadFromStream(Stream& stream, LoadError* error)
{
    const LoadError result = Decode(stream, 0x00);
    if (error != nullptr)
        *error = result;
    return result == LoadError::None;
}

void CoveragePicture::AllocateForOverwrite(std::int32_t width, std::int32_t height)
{
    // Called on a cleared picture: a zero dimension leaves it empty.
    if (width <= 0 || height <= 0)
        return;
    const auto size = static_cast<std::size_t>(width) * height;
    data_ = std::make_unique_for_overwrite<std::uint8_t[]>(size);
    MapForWriting(data_.get(), size);
    width_ = width;
    height_ = height;
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
    AllocateForOverwrite(width, height);
    return LoadError::None;
}

LoadError CoveragePicture::Decode(Stream& stream, std::uint8_t flip)
{
    Clear();
    char magic[4];
    if (stream.Read(magic, 4) != 4)
        return LoadError::ShortData;
    const bool packed = std::memcmp(magic, kPackedPictureMagic, 4) == 0;
    if (!packed && std::memcmp(magic, kUnpackedPictureMagic, 4) != 0)
        return LoadError::BadMagic;
    if (const LoadError error = ReadDimensions(stream); error != LoadError::None)
        return error;
    std::size_t written = 0;
    const LoadError result = packed ? DecodePacked(stream, flip, written) : ReadUnpacked(stream, flip, written);
    if (result != LoadError::None && data_) {
        // The store was not cleared before decoding. A failed picture keeps
        // the values decoded so far, as stored, and zeros after them.
        std::uint8_t* pixel = data_.get();
        for (std::size_t k = 0; k < written; ++k)
            pixel[k] ^= flip;
        std::memset(pixel + written, 0, static_cast<std::size_t>(PixelCount()) - written);
    }
    return result;
}

LoadError CoveragePicture::ReadUnpacked(Stream& stream, std::uint8_t flip, std::size_t& written)
{
    const auto count = static_cast<std::size_t>(PixelCount());
    if (count == 0)
        return LoadError::None;
    std::uint8_t* pixel = data_.get();
    written = stream.Read(pixel, count);
    if (flip != 0)
        for (std::size_t k = 0; k < written; ++k)
            pixel[k] ^= flip;
    return written == count ? LoadError::None : LoadError::ShortData;
}

LoadError CoveragePicture::DecodePacked(Stream& stream, std::uint8_t flip, std::size_t& written)
{
    std::int32_t packedSize = 0;
    if (!ReadInt32(stream, packedSize))
        return LoadError::ShortData;
    if (packedSize < 0 || packedSize > kMaxPackedBytes)
        return LoadError::PackedLengthOutOfRange;
    const auto total = static_cast<std::size_t>(PixelCount());
    if (packedSize == 0)
        return total == 0 ? LoadError::None : LoadError::PackedShort;

    // The codes are read into the end of the picture's own store and
    // expanded towards its start. Only a stream longer than the picture,
    // which cannot decode exactly anyway, needs room of its own.
    const auto size = static_cast<std::size_t>(packedSize);
    std::vector<std::uint8_t> apart;
    std::uint8_t* codes = nullptr;
    if (size <= total) {
        codes = data_.get() + (total - size);
    } else {
        apart.resize(size);
        codes = apart.data();
    }
    if (stream.Read(codes, size) != size)
        return LoadError::ShortData;
    // With no pixels data_ is null and nothing is written.
    const Expansion expansion =
        ExpandCodes(codes, size, data_.get(), total, flip, size <= total ? total - size : kCodesApart);
    written = expansion.written;
    if (expansion.countMissing || expansion.written < total)
        return LoadError::PackedShort;
    return expansion.used == size ? LoadError::None : LoadError::PackedLeftOver;
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
