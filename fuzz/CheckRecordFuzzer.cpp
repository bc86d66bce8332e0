// The record of picture checks on arbitrary bytes: refused as a whole or
// taken as a whole, never read past its end nor sized by a hostile count.

#include <cstdint>

#include "content/PictureCheckRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    velmora::PictureCheckRecord record;
    record.Parse(data, size);
    return 0;
}
