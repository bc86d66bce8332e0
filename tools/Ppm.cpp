#include "tools/Ppm.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace velmora::tool {

namespace {

// Closes the file when it goes.
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool IsSpace(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Skips whitespace and '#' comments (to the end of their line) before a
// header number; returns its first character or EOF.
int SkipToToken(std::FILE* file)
{
    int c = std::getc(file);
    while (c == '#' || IsSpace(c)) {
        if (c == '#')
            while (c != '\n' && c != '\r' && c != EOF)
                c = std::getc(file);
        c = std::getc(file);
    }
    return c;
}

// A header number of decimal digits, ended by one whitespace character (so
// the pixels may start right after the maxval). Values over `limit` fail.
bool ReadHeaderNumber(std::FILE* file, long long limit, long long& value)
{
    int c = SkipToToken(file);
    if (c < '0' || c > '9')
        return false;
    value = 0;
    while (c >= '0' && c <= '9') {
        value = value * 10 + (c - '0');
        if (value > limit)
            return false;
        c = std::getc(file);
    }
    return IsSpace(c);
}

void SwapRedAndBlue(std::uint8_t* pixels, int width)
{
    for (int col = 0; col < width; ++col, pixels += 3)
        std::swap(pixels[0], pixels[2]);
}

}  // namespace

std::unique_ptr<TBitmap> ReadPpm(const std::string& path, std::string& error)
{
    const File file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return nullptr;
    }
    if (std::getc(file.get()) != 'P' || std::getc(file.get()) != '6') {
        error = path + " is not a binary PPM (P6) file";
        return nullptr;
    }
    long long width = 0, height = 0, maxval = 0;
    if (!ReadHeaderNumber(file.get(), kMaxPpmSide, width) || !ReadHeaderNumber(file.get(), kMaxPpmSide, height)) {
        error = path + ": bad PPM size (each side must be 1 to " + std::to_string(kMaxPpmSide) + ")";
        return nullptr;
    }
    if (width < 1 || height < 1 || width * height > kMaxPpmPixels) {
        error = path + ": PPM size " + std::to_string(width) + " x " + std::to_string(height) + " is not supported";
        return nullptr;
    }
    if (!ReadHeaderNumber(file.get(), 65535, maxval) || maxval != 255) {
        error = path + ": only PPM files with 8-bit channels (maxval 255) are supported";
        return nullptr;
    }
    auto bitmap = std::make_unique<TBitmap>(static_cast<int>(width), static_cast<int>(height), TPixelFormat::pf24bit);
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(width);
    for (int row = 0; row < bitmap->Height(); ++row) {
        if (std::fread(bitmap->ScanLine(row), 1, rowBytes, file.get()) != rowBytes) {
            error = path + ": truncated PPM data (row " + std::to_string(row) + " of " + std::to_string(height) + ")";
            return nullptr;
        }
        SwapRedAndBlue(bitmap->ScanLine(row), bitmap->Width());
    }
    return bitmap;
}

bool WritePpm(const std::string& path, const TBitmap& bitmap, std::string& error)
{
    const File file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        error = "cannot create " + path + ": " + std::strerror(errno);
        return false;
    }
    std::fprintf(file.get(), "P6\n%d %d\n255\n", bitmap.Width(), bitmap.Height());
    std::vector<std::uint8_t> row(3 * static_cast<std::size_t>(bitmap.Width()));
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::memcpy(row.data(), bitmap.ScanLine(y), row.size());
        SwapRedAndBlue(row.data(), bitmap.Width());
        if (std::fwrite(row.data(), 1, row.size(), file.get()) != row.size()) {
            error = "cannot write " + path + ": " + std::strerror(errno);
            return false;
        }
    }
    if (std::fflush(file.get()) != 0) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace velmora::tool
