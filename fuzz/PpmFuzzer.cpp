// The content tool's PPM reader on arbitrary bytes.

#include <cstdint>
#include <string>

#include "tools/Ppm.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string error;
    velmora::tool::DecodePpm(data, size, error);
    return 0;
}
