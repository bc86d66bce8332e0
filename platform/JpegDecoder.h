#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "graphics/Bitmap.h"

namespace velmora {

// Decodes a whole JPEG file image (baseline or progressive, colour or grey)
// into a 24-bit bitmap at full size. A truncated or corrupt file is refused
// rather than filled in with grey, and so is a picture whose declared size
// exceeds the limit, before any pixel memory is taken. On failure `bitmap`
// is left as it was and `error`, when given, says why.
class JpegDecoder {
public:
    static constexpr std::int64_t kMaxPixels = 64 * 1024 * 1024;

    static bool Decode(const std::uint8_t* data, std::size_t size, Bitmap& bitmap, std::string* error = nullptr);
};

}  // namespace velmora
