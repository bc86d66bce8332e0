#pragma once

#include <cstdint>

namespace velmora {

// Why a file of the content was refused. The loaders report it for tools
// that explain a content directory; the program itself only looks at success.
enum class LoadError : std::uint8_t {
    None,
    NoFile,                  // no such file
    IsFolder,                // a folder where a file is expected
    NotRegularFile,          // a named pipe, a device or a socket: never opened, it could block or never end
    Unreadable,              // exists but cannot be opened or read (no access, an input/output error)
    BadName,                 // the name holds a control byte, so it names no file
    OverBudget,              // decoding it would take the content's pictures past their memory budget
    TooLarge,                // larger than the program reads
    BadFormat,               // the content file does not begin with its header
    BadMagic,                // a picture that is not "TBB1" or "TBBs"
    DimensionsOutOfRange,    // a dimension outside 0..100,000 or too many pixels
    PackedLengthOutOfRange,  // packed length outside 0..8,388,608
    ShortData,               // the file ends inside the header or the body
    PackedLeftOver,          // packed codes left after the image is full
    PackedShort,             // the packed codes end before the image is full
};

// A short English description of the reason, for tools.
const char* LoadErrorText(LoadError error);

}  // namespace velmora
