#include <gtest/gtest.h>

#include "core/TextEncoding.h"

namespace velmora {
namespace {

TEST(TextEncoding, PolishLettersBothWays)
{
    // "Żółć ąęśń" in Windows-1250.
    const std::string cp1250 = "\xAF\xF3\xB3\xE6 \xB9\xEA\x9C\xF1";
    const std::string utf8 = "Żółć ąęśń";
    EXPECT_EQ(Cp1250ToUtf8(cp1250), utf8);
    EXPECT_EQ(Utf8ToCp1250(utf8), cp1250);
    EXPECT_EQ(Cp1250ToUtf8("\xA8"), "¨");
}

TEST(TextEncoding, UndefinedAndUnmappableCharacters)
{
    // 0x81 and 0x98 are undefined in Windows-1250.
    EXPECT_EQ(Cp1250ToUtf8("a\x81"
                           "b\x98"),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD");
    EXPECT_EQ(Utf8ToCp1250("a€b"), "a\x80"
                                   "b");
    EXPECT_EQ(Utf8ToCp1250("x😀y"), "x?y");
    EXPECT_EQ(Utf8ToCp1250("x\xC3"), "x?") << "cut-off sequence";
    EXPECT_EQ(Cp1250ToUtf8(""), "");
}

}  // namespace
}  // namespace velmora
