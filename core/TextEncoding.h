#pragma once

#include <string>

namespace velmora {

// Content names are Windows-1250 bytes; everything shown or used as a Linux
// path is UTF-8. A byte that Windows-1250 leaves undefined becomes U+FFFD.
std::string Cp1250ToUtf8(const std::string& text);

// The reverse, for tools that write content. A character Windows-1250 cannot
// hold, or a malformed UTF-8 sequence, becomes '?'.
std::string Utf8ToCp1250(const std::string& text);

}  // namespace velmora
