#include "core/ContentName.h"

#include <algorithm>
#include <string_view>

namespace velmora {

namespace {

// Decodes one UTF-8 character at `pos`, advancing it; a malformed byte is
// returned as itself so that it still compares only with an equal byte.
char32_t NextCodePoint(const std::string& text, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    int extra = 0;
    char32_t code = lead;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        code = lead & 0x07;
    }
    if (pos + extra >= text.size() && extra > 0) {
        ++pos;
        return 0x110000u + lead;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return 0x110000u + lead;
        }
        code = (code << 6) | (next & 0x3F);
    }
    pos += 1 + extra;
    return code;
}

char32_t FoldCase(char32_t c)
{
    if (c >= U'A' && c <= U'Z')
        return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 32;
    // Latin Extended-A pairs upper and lower case as even/odd neighbours,
    // except in 0x0139-0x0148 and 0x0179-0x017E where the upper case is odd.
    if ((c >= 0x0100 && c <= 0x0137) || (c >= 0x014A && c <= 0x0177))
        return c | 1;
    if ((c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E))
        return (c & 1) ? c + 1 : c;
    return c;
}

}  // namespace

bool SameNameIgnoringCase(const std::string& a, const std::string& b)
{
    return FoldedName(a) == FoldedName(b);
}

std::u32string FoldedName(const std::string& name)
{
    std::u32string folded;
    folded.reserve(name.size());
    for (std::size_t pos = 0; pos < name.size();)
        folded += FoldCase(NextCodePoint(name, pos));
    return folded;
}

bool HasControlByte(const std::string& contentPath)
{
    return std::any_of(contentPath.begin(), contentPath.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

bool LeavesContentDirectory(const std::string& contentPath)
{
    if (!contentPath.empty() && (contentPath.front() == '\\' || contentPath.front() == '/'))
        return true;
    long depth = 0;
    std::size_t start = 0;
    while (start <= contentPath.size()) {
        std::size_t end = contentPath.find_first_of("\\/", start);
        if (end == std::string::npos)
            end = contentPath.size();
        const std::string_view part(contentPath.data() + start, end - start);
        if (part == "..") {
            if (--depth < 0)
                return true;
        } else if (!part.empty() && part != ".") {
            ++depth;
        }
        start = end + 1;
    }
    return false;
}

}  // namespace velmora
