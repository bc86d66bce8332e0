#include "graphics/CoveragePicture.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cstring>
#include <limits>
#include <mutex>
#include <vector>

#include "core/FileStream.h"
#include "core/LittleEndian.h"
#include "core/ReadBuffer.h"
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

// A picture file already in memory, read in place: the codes are walked
// where they lie rather than copied out.
class BytesInPlace : public Stream {
public:
    BytesInPlace(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    std::size_t Read(void* buffer, std::size_t count) override
    {
        const std::size_t delivered = std::min(count, Left());
        if (delivered > 0)
            std::memcpy(buffer, bytes_ + position_, delivered);
        position_ += delivered;
        return delivered;
    }
    std::size_t Left() const { return size_ - position_; }
    const std::uint8_t* Here() const { return bytes_ + position_; }

private:
    const std::uint8_t* bytes_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// What the start of a picture file says: which kind it is and its size.
struct Header {
    bool packed = false;
    std::int32_t width = 0;
    std::int32_t height = 0;

    // A zero dimension makes an empty picture, whatever the other one says.
    bool Empty() const { return width == 0 || height == 0; }
};

LoadError ReadHeader(Stream& stream, Header& header)
{
    char magic[4];
    if (stream.Read(magic, 4) != 4)
        return LoadError::ShortData;
    header.packed = std::memcmp(magic, kPackedPictureMagic, 4) == 0;
    if (!header.packed && std::memcmp(magic, kUnpackedPictureMagic, 4) != 0)
        return LoadError::BadMagic;
    if (!ReadInt32(stream, header.width))
        return LoadError::ShortData;
    if (header.width < 0 || header.width > CoveragePicture::kMaxDimension)
        return LoadError::DimensionsOutOfRange;
    if (!ReadInt32(stream, header.height))
        return LoadError::ShortData;
    if (header.height < 0 || header.height > CoveragePicture::kMaxDimension)
        return LoadError::DimensionsOutOfRange;
    // 100,000 x 100,000 does not fit in 32 bits: the product is taken in 64.
    if (static_cast<std::int64_t>(header.width) * header.height > CoveragePicture::kMaxPixels)
        return LoadError::DimensionsOutOfRange;
    return LoadError::None;
}

// The length of the codes, which follows the header of a packed file.
LoadError ReadPackedLength(Stream& stream, std::size_t& length)
{
    std::int32_t value = 0;
    if (!ReadInt32(stream, value))
        return LoadError::ShortData;
    if (value < 0 || value > CoveragePicture::kMaxPackedBytes)
        return LoadError::PackedLengthOutOfRange;
    length = static_cast<std::size_t>(value);
    return LoadError::None;
}

// Where walking the codes stopped: codes used, pixels given, and whether a
// run's count byte was missing.
struct Expansion {
    std::size_t used = 0;
    std::size_t written = 0;
    bool countMissing = false;
};

// A packed picture loads when its codes fill it exactly.
LoadError PackedVerdict(const Expansion& expansion, std::size_t length, std::size_t total)
{
    if (expansion.countMissing || expansion.written < total)
        return LoadError::PackedShort;
    return expansion.used == length ? LoadError::None : LoadError::PackedLeftOver;
}

// What a walk over the codes does with the pixels they give: a load writes
// them, a check only counts them.
enum class Pixels : std::uint8_t { Write, Count };

// Detailed pictures are mostly literal codes; sixteen of them in a row are
// expanded together, eight to a 64-bit word, without a branch per pixel.
constexpr std::size_t kLiteralBlock = 16;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
constexpr std::uint64_t kLowBits = 0x7F7F7F7F7F7F7F7FULL;

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

// The place, in memory order, of the first byte whose high bit `marks`
// holds; some byte's is.
std::size_t FirstMarkedByte(std::uint64_t marks)
{
    if constexpr (std::endian::native == std::endian::little)
        return static_cast<std::size_t>(std::countr_zero(marks)) / 8;
    else
        return static_cast<std::size_t>(std::countl_zero(marks)) / 8;
}

// The codes are apart from the pixels: no pixel can overwrite one.
constexpr std::size_t kCodesApart = std::numeric_limits<std::size_t>::max() / 2;

// Walks `size` packed codes from `in` over a picture of `total` pixels. A
// load expands them into `out`, each value XORed with `flip` (0, or 0xFF to
// invert it); a check only counts them, and `out`, `flip` and `slack` do not
// matter to it. The codes may be the last bytes of `out` itself, `slack` =
// total - size bytes after its start. Every code gives at least one pixel
// per byte, so in a picture that decodes exactly, the pixels written never
// catch up with the codes not yet read: pixels written minus codes read
// never exceeds the slack. Only a broken stream's run could cross that
// line; the codes it would overwrite are copied out first and expanded
// from the copy.
template <Pixels kPixels>
Expansion WalkCodes(const std::uint8_t* in, std::size_t size, std::uint8_t* out, std::size_t total, std::uint8_t flip,
                    std::size_t slack)
{
    constexpr bool kWrite = kPixels == Pixels::Write;
    const std::uint64_t flipWord = flip != 0 ? ~std::uint64_t{0} : 0;
    std::size_t i = 0;
    std::size_t p = 0;
    while (i < size && p < total) {
        const std::uint8_t code = in[i];
        if (code < kRunCode && size - i >= kLiteralBlock && total - p >= kLiteralBlock) {
            // Both words are read before either is written: pixels and
            // codes may be the same bytes.
            std::uint64_t low = 0;
            std::uint64_t high = 0;
            std::memcpy(&low, in + i, 8);
            std::memcpy(&high, in + i + 8, 8);
            const std::uint64_t lowRuns = low & kHighBits;
            const std::uint64_t highRuns = high & kHighBits;
            if ((lowRuns | highRuns) == 0) {
                if constexpr (kWrite) {
                    low = ExpandEight(low, flipWord);
                    high = ExpandEight(high, flipWord);
                    std::memcpy(out + p, &low, 8);
                    std::memcpy(out + p + 8, &high, 8);
                }
                i += kLiteralBlock;
                p += kLiteralBlock;
                continue;
            }
            // The literals before the block's first run code, at once.
            const std::size_t literals = lowRuns != 0 ? FirstMarkedByte(lowRuns) : 8 + FirstMarkedByte(highRuns);
            if constexpr (kWrite)
                for (std::size_t k = 0; k < literals; ++k)
                    out[p + k] = Expanded(in[i + k], flip);
            i += literals;
            p += literals;
            continue;
        }
        ++i;
        if (code < kRunCode) {
            if constexpr (kWrite)
                out[p] = Expanded(code, flip);
            ++p;
            continue;
        }
        if (i == size)
            return {i, p, true};
        const std::size_t run = std::min<std::size_t>(in[i++] + kMinRun, total - p);
        if constexpr (kWrite) {
            const std::uint8_t value = Expanded(static_cast<std::uint8_t>(code - kRunCode), flip);
            if (p + run > slack + i) {
                const std::vector<std::uint8_t> rest(in + i, in + size);
                std::memset(out + p, value, run);
                p += run;
                const Expansion tail =
                    WalkCodes<kPixels>(rest.data(), rest.size(), out + p, total - p, flip, kCodesApart);
                return {i + tail.used, p + tail.written, tail.countMissing};
            }
            std::memset(out + p, value, run);
        }
        p += run;
    }
    return {i, p, false};
}

// The longest file a picture is read from: a packed header and the longest
// codes; an unpacked file's pixels are fewer. Nothing after it is read.
constexpr std::size_t kLongestPictureRead = 16 + static_cast<std::size_t>(CoveragePicture::kMaxPackedBytes);

// CoveragePicture::Check on the file at `path`, read whole in one call.
LoadError CheckFile(const std::string& path, ReadBuffer& buffer, std::int32_t& width, std::int32_t& height)
{
    width = 0;
    height = 0;
    FileStream stream(path);
    if (!stream.IsOpen())
        return stream.OpenError();
    const long long size = stream.RegularFileSize();
    const std::size_t wanted = size < 0 ? 0 : std::min(static_cast<std::size_t>(size), kLongestPictureRead);
    std::uint8_t* bytes = buffer.Room(wanted);
    const std::size_t read = stream.Read(bytes, wanted);
    if (stream.Failed())
        return LoadError::Unreadable;
    return CoveragePicture::Check(bytes, read, width, height);
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

// The file of a picture whose pixels are decoded on first use.
struct CoveragePicture::Deferred {
    Deferred(std::string file, Values stored) : path(std::move(file)), values(stored) {}

    const std::string path;
    const Values values;
    std::mutex decoding;
    std::atomic<bool> decoded{false};
};

CoveragePicture::CoveragePicture() = default;
CoveragePicture::~CoveragePicture() = default;

CoveragePicture::CoveragePicture(const CoveragePicture& other)
{
    Assign(other);
}

CoveragePicture& CoveragePicture::operator=(const CoveragePicture& other)
{
    Assign(other);
    return *this;
}

void CoveragePicture::DecodeIfDeferred() const
{
    if (!deferred_ || deferred_->decoded.load(std::memory_order_acquire))
        return;
    const std::lock_guard lock(deferred_->decoding);
    if (deferred_->decoded.load(std::memory_order_relaxed))
        return;
    // Should the decoding throw (out of memory), the next use tries again.
    data_ = DecodeDeferred();
    deferred_->decoded.store(true, std::memory_order_release);
}

std::unique_ptr<std::uint8_t[]> CoveragePicture::DecodeDeferred() const
{
    // Others may be reading the size: it stays as checked, whatever the file
    // holds now.
    CoveragePicture decoded;
    if (decoded.LoadFromFile(deferred_->path, nullptr, deferred_->values) && decoded.width_ == width_ &&
        decoded.height_ == height_)
        return std::move(decoded.data_);
    // A file that changed on disk since it was checked and no longer decodes
    // at its size is shown blank: all background, rather than a block of ink
    // or the half of a picture that was read.
    const auto count = static_cast<std::size_t>(PixelCount());
    auto blank = std::make_unique_for_overwrite<std::uint8_t[]>(count);
    std::memset(blank.get(), deferred_->values == Values::Inverted ? 0xFF : 0x00, count);
    return blank;
}

void CoveragePicture::OwnPixels()
{
    DecodeIfDeferred();
    deferred_.reset();
}

void CoveragePicture::Clear()
{
    deferred_.reset();
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
    OwnPixels();
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
    const std::uint8_t* pixels = source.Data();
    deferred_.reset();
    if (!data_ || width_ != source.width_ || height_ != source.height_) {
        width_ = source.width_;
        height_ = source.height_;
        data_.reset();
        if (pixels != nullptr)
            data_ = std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(PixelCount()));
    }
    if (data_)
        std::memcpy(data_.get(), pixels, static_cast<std::size_t>(PixelCount()));
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

bool CoveragePicture::LoadOnFirstUse(const std::string& path, ReadBuffer& buffer, LoadError* error, Values values)
{
    std::int32_t width = 0;
    std::int32_t height = 0;
    if (CheckFile(path, buffer, width, height) != LoadError::None)
        return LoadFromFile(path, error, values);
    LoadCheckedOnFirstUse(path, width, height, values);
    if (error != nullptr)
        *error = LoadError::None;
    return true;
}

bool CoveragePicture::LoadCheckedOnFirstUse(const std::string& path, std::int32_t width, std::int32_t height,
                                            Values values)
{
    Clear();
    if (width < 0 || height < 0 || width > kMaxDimension || height > kMaxDimension ||
        static_cast<std::int64_t>(width) * height > kMaxPixels)
        return false;
    width_ = width;
    height_ = height;
    if (PixelCount() > 0)
        deferred_ = std::make_unique<Deferred>(path, values);
    return true;
}

LoadError CoveragePicture::Check(const std::uint8_t* bytes, std::size_t size, std::int32_t& width, std::int32_t& height)
{
    width = 0;
    height = 0;
    BytesInPlace stream(bytes, size);
    Header header;
    if (const LoadError error = ReadHeader(stream, header); error != LoadError::None)
        return error;
    if (!header.Empty()) {
        width = header.width;
        height = header.height;
    }
    const std::size_t total = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (!header.packed)
        return stream.Left() >= total ? LoadError::None : LoadError::ShortData;
    std::size_t length = 0;
    if (const LoadError error = ReadPackedLength(stream, length); error != LoadError::None)
        return error;
    if (stream.Left() < length)
        return LoadError::ShortData;
    const Expansion walk = WalkCodes<Pixels::Count>(stream.Here(), length, nullptr, total, 0, kCodesApart);
    return PackedVerdict(walk, length, total);
}

void CoveragePicture::AllocateForOverwrite(std::int32_t width, std::int32_t height)
{
    // Called on a cleared picture with both dimensions positive.
    const auto size = static_cast<std::size_t>(width) * height;
    data_ = std::make_unique_for_overwrite<std::uint8_t[]>(size);
    MapForWriting(data_.get(), size);
    width_ = width;
    height_ = height;
}

LoadError CoveragePicture::Decode(Stream& stream, std::uint8_t flip)
{
    Clear();
    Header header;
    if (const LoadError error = ReadHeader(stream, header); error != LoadError::None)
        return error;
    if (!header.Empty())
        AllocateForOverwrite(header.width, header.height);
    std::size_t written = 0;
    const LoadError result = header.packed ? DecodePacked(stream, flip, written) : ReadUnpacked(stream, flip, written);
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
    std::size_t size = 0;
    if (const LoadError error = ReadPackedLength(stream, size); error != LoadError::None)
        return error;
    const auto total = static_cast<std::size_t>(PixelCount());

    // The codes are read into the end of the picture's own store and
    // expanded towards its start. Only a stream longer than the picture,
    // which cannot decode exactly anyway, needs room of its own.
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
        WalkCodes<Pixels::Write>(codes, size, data_.get(), total, flip, size <= total ? total - size : kCodesApart);
    written = expansion.written;
    return PackedVerdict(expansion, size, total);
}

void CoveragePicture::Invert()
{
    OwnPixels();
    std::uint8_t* pixel = data_.get();
    const auto count = static_cast<std::size_t>(PixelCount());
    for (std::size_t k = 0; k < count; ++k)
        pixel[k] = static_cast<std::uint8_t>(255 - pixel[k]);
}

void CoveragePicture::DrawTo(Bitmap* target, int x, int y, Colour colour0, Colour colour255) const
{
    if (target == nullptr || target->Format() == PixelFormat::Bits8)
        return;
    const std::uint8_t* pixels = Data();
    if (pixels == nullptr)
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
        const std::uint8_t* src = pixels + row * width_;
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
    const std::uint8_t* pixels = Data();
    if (pixels == nullptr)
        return bitmap;
    for (std::int32_t row = 0; row < height_; ++row) {
        const std::uint8_t* src = pixels + static_cast<std::size_t>(row) * width_;
        std::uint8_t* dst = bitmap->ScanLine(row);
        for (std::int32_t col = 0; col < width_; ++col, dst += 3)
            dst[0] = dst[1] = dst[2] = src[col];
    }
    return bitmap;
}

}  // namespace velmora
