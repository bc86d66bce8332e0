#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "graphics/Bitmap.h"

namespace velmora {

// What one page may cost the decoder. A page file is small, but a JPEG
// header may declare any size, a progressive file makes libjpeg keep every
// coefficient of the picture, and each scan of a progressive file is another
// pass over all of them: each of these is bounded.
struct JpegLimits {
    std::int64_t maxPixels = 100'000'000;       // the 24-bit page: at most 300 MB
    long maxDecoderMemory = 64L * 1024 * 1024;  // libjpeg's own working memory
    int maxScans = 100;                         // encoders write about 10
};

// Decodes a whole JPEG file image (baseline or progressive, colour or grey)
// into a 24-bit bitmap at full size. A truncated or corrupt file is refused
// rather than filled in with grey, and so is a picture past the limits. The
// page's pixels are only taken once the header and the first rows have been
// decoded, and for a single-scan file once the data is seen to be long
// enough for the declared size. On failure `bitmap` is left as it was and
// `error`, when given, says why.
class JpegDecoder {
public:
    // Page files larger than this are not read.
    static constexpr std::size_t kMaxFileBytes = 64u * 1024 * 1024;

    static bool Decode(const std::uint8_t* data, std::size_t size, Bitmap& bitmap, std::string* error = nullptr,
                       const JpegLimits& limits = JpegLimits{});

    // Reads and decodes the file at `path` (a Linux path; content paths go
    // through ResolveContentPath first). Only a regular file (or a link to
    // one) of at most kMaxFileBytes is read.
    static bool DecodeFile(const std::string& path, Bitmap& bitmap, std::string* error = nullptr,
                           const JpegLimits& limits = JpegLimits{});
};

}  // namespace velmora
