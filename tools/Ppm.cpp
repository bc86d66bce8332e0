#include "tools/Ppm.h"

#include "core/FileStream.h"
#include "tools/OutputFile.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace velmora::tool {

namespace {

bool IsSpace(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Reads the header of a PPM held in memory, one byte at a time.
class PpmHeaderReader {
public:
    PpmHeaderReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    // The next byte, or -1 at the end of the data.
    int Next() { return position_ < size_ ? data_[position_++] : -1; }

    // A header number of decimal digits after whitespace and '#' comments
    // (to the end of their line), ended by one whitespace byte, so the pixels
    // may start right after the maxval. Values over `limit` fail.
    bool Number(long long limit, long long& value)
    {
        int c = Next();
        while (c == '#' || IsSpace(c)) {
            if (c == '#')
                while (c != '\n' && c != '\r' && c != -1)
                    c = Next();
            c = Next();
        }
        if (c < '0' || c > '9')
            return false;
        value = 0;
        while (c >= '0' && c <= '9') {
            value = value * 10 + (c - '0');
            if (value > limit)
                return false;
            c = Next();
        }
        return IsSpace(c);
    }

    std::size_t Position() const { return position_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

void SwapRedAndBlue(std::uint8_t* pixels, int width)
{
    for (int col = 0; col < width; ++col, pixels += 3)
        std::swap(pixels[0], pixels[2]);
}

}  // namespace

std::unique_ptr<Bitmap> DecodePpm(const std::uint8_t* data, std::size_t size, std::string& error)
{
    PpmHeaderReader header(data, size);
    if (header.Next() != 'P' || header.Next() != '6') {
        error = "not a binary PPM (P6) file";
        return nullptr;
    }
    long long width = 0, height = 0, maxval = 0;
    if (!header.Number(kMaxPpmSide, width) || !header.Number(kMaxPpmSide, height)) {
        error = "bad PPM size (each side must be 1 to " + std::to_string(kMaxPpmSide) + ")";
        return nullptr;
    }
    if (width < 1 || height < 1 || width * height > kMaxPpmPixels) {
        error = "PPM size " + std::to_string(width) + " x " + std::to_string(height) + " is not supported";
        return nullptr;
    }
    if (!header.Number(65535, maxval) || maxval != 255) {
        error = "only PPM files with 8-bit channels (maxval 255) are supported";
        return nullptr;
    }
    // The pixels must all be there before any memory is taken for them, so a
    // short file cannot claim a large picture.
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(width);
    const std::size_t available = size - header.Position();
    if (available / rowBytes < static_cast<std::size_t>(height)) {
        error =
            "truncated PPM data (" + std::to_string(available / rowBytes) + " of " + std::to_string(height) + " rows)";
        return nullptr;
    }
    auto bitmap = std::make_unique<Bitmap>(static_cast<int>(width), static_cast<int>(height), PixelFormat::Bits24);
    const std::uint8_t* pixels = data + header.Position();
    for (int row = 0; row < bitmap->Height(); ++row, pixels += rowBytes) {
        std::memcpy(bitmap->ScanLine(row), pixels, rowBytes);
        SwapRedAndBlue(bitmap->ScanLine(row), bitmap->Width());
    }
    return bitmap;
}

std::unique_ptr<Bitmap> ReadPpm(const std::string& path, std::string& error)
{
    // Header and pixels of the largest picture accepted.
    constexpr std::size_t kMaxFileBytes = 3 * static_cast<std::size_t>(kMaxPpmPixels) + 4096;
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes, kMaxFileBytes, nullptr, FileKinds::Any)) {
        error = "cannot read " + path + ", or it is larger than the largest picture accepted";
        return nullptr;
    }
    std::unique_ptr<Bitmap> bitmap = DecodePpm(bytes.data(), bytes.size(), error);
    if (!bitmap)
        error = path + ": " + error;
    return bitmap;
}

bool WritePpm(const std::string& path, const Bitmap& bitmap, std::string& error)
{
    const std::string header =
        "P6\n" + std::to_string(bitmap.Width()) + " " + std::to_string(bitmap.Height()) + "\n255\n";
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(bitmap.Width());
    std::vector<std::uint8_t> file(header.begin(), header.end());
    file.reserve(header.size() + rowBytes * static_cast<std::size_t>(bitmap.Height()));
    for (int y = 0; y < bitmap.Height(); ++y) {
        const std::size_t start = file.size();
        file.insert(file.end(), bitmap.ScanLine(y), bitmap.ScanLine(y) + rowBytes);
        SwapRedAndBlue(file.data() + start, bitmap.Width());
    }
    return WriteBytes(path, file.data(), file.size(), error);
}

}  // namespace velmora::tool
