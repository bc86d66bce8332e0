#pragma once

#include <cstdint>

namespace velmora {

// Why a file of the content was refused. The loaders report it for tools
// that explain a content directory; the program itself only looks at success.
enum class LoadError : std::uint8_t {
    None,
    NoFile,                 // cannot be opened or read
    TooLarge,               // larger than the program reads
    BadFormat,              // the content file does not begin with its header
    BadMagic,               // a picture that is not "TBB1" or "TBBs"
    DimensionsOutOfRange,   // a dimension outside 0..100,000 or too many pixels
    PackedLengthOutOfRange, // packed length outside 0..8,388,608
    ShortData,              // the file ends inside the header or the body
    PackedLeftOver,         // packed codes left after the image is full
    PackedShort,            // the packed codes end before the image is full
};

// A short English description of the reason, for tools.
const char* LoadErrorText(LoadError error);

}  // namespace velmora
