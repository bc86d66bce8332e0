// The presentation pages' JPEG decoder on arbitrary bytes, within its limits.

#include <cstdint>

#include "platform/JpegDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A smaller page than the program allows keeps each run fast; every
    // other limit is the program's.
    velmora::JpegLimits limits;
    limits.maxPixels = 4 * 1024 * 1024;
    velmora::Bitmap page;
    velmora::JpegDecoder::Decode(data, size, page, nullptr, limits);
    return 0;
}
