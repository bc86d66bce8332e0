#pragma once

#include <cstddef>
#include <string>

namespace velmora::tool {

// The content file as text an author edits: UTF-8 on the author's side,
// Windows-1250 in menl.dat. Both directions are exact, so a content file
// survives export and build byte for byte: the five bytes Windows-1250
// leaves undefined (0x81, 0x83, 0x88, 0x90, 0x98) stand for the control
// characters of the same number, as Windows itself maps them.

// Line and column (both from 1; columns count characters) of a place in a text.
struct TextPlace {
    std::size_t line = 1;
    std::size_t column = 1;
};

// Every byte of `cp1250` as UTF-8.
std::string ContentTextToUtf8(const std::string& cp1250);

// `utf8` (a leading byte-order mark is dropped) as Windows-1250. False, with
// `place` and `error` set, at the first malformed UTF-8 sequence or the
// first character Windows-1250 cannot hold.
bool ContentTextToCp1250(const std::string& utf8, std::string& cp1250, TextPlace& place, std::string& error);

// The place of byte `offset` of a Windows-1250 text (one byte a character).
TextPlace PlaceOfByte(const std::string& cp1250, std::size_t offset);

// True when the bytes hold more characters of UTF-8 beyond ASCII than bytes
// that are no UTF-8 (or begin with a byte-order mark): text saved by a
// UTF-8 editor, perhaps behind a header written as Windows-1250. Polish
// Windows-1250 text almost never forms such characters.
bool LooksLikeUtf8(const std::string& bytes);

}  // namespace velmora::tool
