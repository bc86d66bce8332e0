#include "tools/TbbWriter.h"

#include "core/LittleEndian.h"
#include "graphics/PackedPicture.h"

namespace velmora::tool {

namespace {

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
            codes.push_back(static_cast<std::uint8_t>(kRunCode | value));
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
    const std::vector<std::uint8_t> codes = count == 0 ? std::vector<std::uint8_t>{} : PackCodes(image.Data(), count);
    std::vector<std::uint8_t> file(std::begin(kPackedPictureMagic), std::end(kPackedPictureMagic));
    AppendLittle32(file, static_cast<std::uint32_t>(image.Width()));
    AppendLittle32(file, static_cast<std::uint32_t>(image.Height()));
    AppendLittle32(file, static_cast<std::uint32_t>(codes.size()));
    file.insert(file.end(), codes.begin(), codes.end());
    return file;
}

}  // namespace velmora::tool
