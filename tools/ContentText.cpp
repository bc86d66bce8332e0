#include "tools/ContentText.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace velmora::tool {

namespace {

// The characters of the bytes 0x80 to 0xFF.
constexpr char32_t kUpperHalf[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039, 0x015A,
    0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
    0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
    0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
    0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 character at `at`; returns its length, 0 when the
// sequence is malformed (overlong forms and surrogates included).
std::size_t DecodeUtf8(const std::string& text, std::size_t at, char32_t& c)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        c = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2, c = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, c = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, c = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (byte(at + i) & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return length;
}

bool ToCp1250Byte(char32_t c, char& byte)
{
    if (c < 0x80) {
        byte = static_cast<char>(c);
        return true;
    }
    for (int i = 0; i < 128; ++i) {
        if (kUpperHalf[i] == c) {
            byte = static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}

std::string CharacterName(char32_t c)
{
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
    return name;
}

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

}  // namespace

std::string ContentTextToUtf8(const std::string& cp1250)
{
    std::string out;
    out.reserve(cp1250.size() + cp1250.size() / 8);
    for (const char byte : cp1250) {
        const auto value = static_cast<unsigned char>(byte);
        AppendUtf8(out, value < 0x80 ? value : kUpperHalf[value - 0x80]);
    }
    return out;
}

bool ContentTextToCp1250(const std::string& utf8, std::string& cp1250, TextPlace& place, std::string& error)
{
    cp1250.clear();
    place = TextPlace{};
    std::size_t at = utf8.compare(0, 3, kByteOrderMark) == 0 ? 3 : 0;
    while (at < utf8.size()) {
        char32_t c = 0;
        const std::size_t length = DecodeUtf8(utf8, at, c);
        if (length == 0) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(utf8[at]));
            error = std::string("not UTF-8: the byte ") + hex + " starts no character (save the file as UTF-8)";
            return false;
        }
        char byte = 0;
        if (!ToCp1250Byte(c, byte)) {
            std::string shown;
            AppendUtf8(shown, c);
            error = "the character \"" + shown + "\" (" + CharacterName(c) + ") has no Windows-1250 form";
            return false;
        }
        cp1250 += byte;
        at += length;
        if (c == '\n') {
            ++place.line;
            place.column = 1;
        } else {
            ++place.column;
        }
    }
    return true;
}

TextPlace PlaceOfByte(const std::string& cp1250, std::size_t offset)
{
    TextPlace place;
    for (std::size_t i = 0; i < offset && i < cp1250.size(); ++i) {
        if (cp1250[i] == '\n') {
            ++place.line;
            place.column = 1;
        } else {
            ++place.column;
        }
    }
    return place;
}

bool LooksLikeUtf8(const std::string& bytes)
{
    if (bytes.compare(0, 3, kByteOrderMark) == 0)
        return true;
    std::size_t characters = 0;
    std::size_t strays = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        char32_t c = 0;
        const std::size_t length = DecodeUtf8(bytes, at, c);
        characters += length > 1 ? 1 : 0;
        strays += length == 0 ? 1 : 0;
        at += std::max<std::size_t>(length, 1);
    }
    return characters > strays;
}

}  // namespace velmora::tool
