// The packed picture loader on arbitrary bytes, then the bitmaps made from
// a loaded picture and a resampling of them to small sizes.

#include <cstdint>

#include "core/MemoryStream.h"
#include "graphics/CoveragePicture.h"
#include "graphics/Resample.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    velmora::MemoryStream stream(data, size);
    velmora::CoveragePicture image;
    if (!image.LoadFromStream(stream))
        return 0;
    image.Invert();
    const auto grey = image.CreateGreyBitmap();
    const auto twoColour = image.CreateTwoColourBitmap(0x00FFFFFF, 0x0084A7B9);
    for (const auto& [width, height] : {std::pair{37, 23}, std::pair{3, 2}, std::pair{1, 1}}) {
        const auto destination = velmora::NewBitmap24(width, height);
        velmora::StretchBitmap(destination.get(), grey.get());
        velmora::StretchBitmap(destination.get(), twoColour.get());
    }
    return 0;
}
