#include <gtest/gtest.h>

#include <string>

#include "tools/ContentText.h"

namespace velmora::tool {
namespace {

TEST(ContentText, ConvertsAuthorsTextOrNamesWhereItCannot)
{
    struct Row {
        std::string utf8;
        std::string cp1250;  // expected, when the text converts
        std::size_t line;    // otherwise: where it stops ...
        std::size_t column;
        const char* error;  // ... and why
    };
    const Row rows[] = {
        {"F\xC2\xA8\r\n#\"\xC5\xBC\"", "F\xA8\r\n#\"\xBF\"", 0, 0, nullptr},
        {"\xEF\xBB\xBF\xC5\x81\xC3\xB3\xC4\x91\xC5\xBA", "\xA3\xF3\xF0\x9F", 0, 0, nullptr},  // a BOM goes
        {"\xC2\x81\xC2\x98", "\x81\x98", 0, 0, nullptr},  // bytes Windows-1250 leaves undefined
        {"ab\ncd\xE2\x98\xBA", "", 2, 3, "the character \"\xE2\x98\xBA\" (U+263A) has no Windows-1250 form"},
        {"\xC5\xBC\r\nx\xF0\x9F\x98\x80", "", 2, 2, "(U+1F600) has no Windows-1250 form"},
        {"\xC0\xAF", "", 1, 1, "not UTF-8: the byte 0xC0"},        // an overlong '/'
        {"ab\xED\xA0\x80", "", 1, 3, "not UTF-8: the byte 0xED"},  // a surrogate
        {"\xC4\x99\xC5", "", 1, 2, "not UTF-8: the byte 0xC5"},    // cut off at the end
        {"Zwierz\xEAta", "", 1, 7, "not UTF-8: the byte 0xEA"},    // Windows-1250 already
    };
    for (const Row& row : rows) {
        std::string cp1250;
        TextPlace place;
        std::string error;
        const bool converted = ContentTextToCp1250(row.utf8, cp1250, place, error);
        EXPECT_EQ(converted, row.error == nullptr) << row.utf8;
        if (row.error == nullptr) {
            EXPECT_EQ(cp1250, row.cp1250) << row.utf8;
            EXPECT_EQ(ContentTextToUtf8(cp1250), row.utf8.substr(row.utf8.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0));
        } else {
            EXPECT_EQ(place.line, row.line) << row.utf8;
            EXPECT_EQ(place.column, row.column) << row.utf8;
            EXPECT_NE(error.find(row.error), std::string::npos) << row.utf8 << ": " << error;
        }
    }
}

TEST(ContentText, TellsAUtf8FileFromWindows1250)
{
    const std::pair<std::string, bool> rows[] = {
        {"F\xC2\xA8 #\"Zwierz\xC4\x99ta\"", true},
        {"\xEF\xBB\xBF"
         "F",
         true},
        {"F\xA8 #\"Zwierz\xEAta\" -\"\xBF"
         "aba\" -\"\xB3\xF3\xBF"
         "ko\"",
         false},
        {"F\xA8 #\"\xC5\xB9rebi\xC4\x99\"", true},  // a Windows-1250 header before UTF-8 names
        {"F\xA8 #\"Group\"", false},
        {"", false},
    };
    for (const auto& [bytes, utf8] : rows)
        EXPECT_EQ(LooksLikeUtf8(bytes), utf8) << bytes;
}

}  // namespace
}  // namespace velmora::tool
