// The packed picture loader on arbitrary bytes, and the check a load makes
// of a picture it decodes later, which must agree with it; then the bitmaps
// made from a loaded picture and a resampling of them to small sizes.

#include <cstdint>
#include <cstdlib>

#include "core/MemoryStream.h"
#include "graphics/CoveragePicture.h"
#include "graphics/Resample.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    velmora::MemoryStream stream(data, size);
    velmora::CoveragePicture image;
    velmora::LoadError reason = velmora::LoadError::None;
    const bool loaded = image.LoadFromStream(stream, &reason);
    std::int32_t width = 0;
    std::int32_t height = 0;
    if (velmora::CoveragePicture::Check(data, size, width, height) != reason || width != image.Width() ||
        height != image.Height())
        std::abort();
    if (!loaded)
        return 0;
    image.Invert();
    const auto grey = image.CreateGreyBitmap();
    const auto twoColour = image.CreateTwoColourBitmap(0x00FFFFFF, 0x0084A7B9);
    for (const auto& [columns, rows] : {std::pair{37, 23}, std::pair{3, 2}, std::pair{1, 1}}) {
        const auto destination = velmora::NewBitmap24(columns, rows);
        velmora::StretchBitmap(destination.get(), grey.get());
        velmora::StretchBitmap(destination.get(), twoColour.get());
    }
    return 0;
}
