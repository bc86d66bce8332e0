#include "tools/TbbWriter.h"

namespace velmora::tool {

namespace {

constexpr std::size_t kMinRun = 3;
constexpr std::size_t kMaxRun = 258;

void AppendInt32(std::vector<std::uint8_t>& bytes, std::int32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> shift));
}

std::vector<std::uint8_t> PackCodes(const std::uint8_t* pixels, std::size_t count)
{
    std::vector<std::uint8_t> codes;
    codes.reserve(count / 4 + 16);
    std::size_t p = 0;
    while (p < count) {
        const std::uint8_t value = SevenBitValue(pixels[p]);
        std::size_t run = 1;
        while (p + run < count && run < kMaxRun && SevenBitValue(pixels[p + run]) == value)
            ++run;
        if (run >= kMinRun) {
            codes.push_back(static_cast<std::uint8_t>(0x80 | value));
            codes.push_back(static_cast<std::uint8_t>(run - kMinRun));
        } else {
            codes.insert(codes.end(), run, value);
        }
        p += run;
    }
    return codes;
}

}  // namespace

std::vector<std::uint8_t> PackTbb(const CoveragePicture& image)
{
    const std::size_t count = static_cast<std::size_t>(image.Width()) * image.Height();
    const std::vector<std::uint8_t> codes =
        count == 0 ? std::vector<std::uint8_t>{} : PackCodes(image.Data(), count);
    std::vector<std::uint8_t> file{'T', 'B', 'B', 's'};
    AppendInt32(file, image.Width());
    AppendInt32(file, image.Height());
    AppendInt32(file, static_cast<std::int32_t>(codes.size()));
    file.insert(file.end(), codes.begin(), codes.end());
    return file;
}

}  // namespace velmora::tool
