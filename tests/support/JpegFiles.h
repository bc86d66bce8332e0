#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

#include "support/TestFiles.h"

namespace velmora::test {

// Encodes a picture with libjpeg, for the files Qt cannot write: `height`
// rows of `width` pixels of `components` samples each in `space`. `prepare`
// runs once libjpeg's defaults are set (a progression, a scan script);
// `fillRow` writes the samples of each row in turn.
Bytes EncodeJpeg(int width, int height, int components, J_COLOR_SPACE space,
                 const std::function<void(jpeg_compress_struct&)>& prepare,
                 const std::function<void(std::vector<unsigned char>&)>& fillRow);

// `jpeg` with its frame header (baseline or progressive) rewritten to declare
// another size; a test failure when it has none.
Bytes WithDeclaredSize(Bytes jpeg, std::uint16_t width, std::uint16_t height);

}  // namespace velmora::test
