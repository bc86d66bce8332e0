#include <gtest/gtest.h>

#include "core/ContentName.h"
#include "core/ContentPath.h"
#include "support/TestFiles.h"

namespace velmora {
namespace {

TEST(ContentPath, NamesCompareIgnoringCaseIncludingPolishLetters)
{
    EXPECT_TRUE(SameNameIgnoringCase("Data", "dATA"));
    EXPECT_TRUE(SameNameIgnoringCase("ŻÓŁĆ.tbb", "żółć.TBB"));
    EXPECT_TRUE(SameNameIgnoringCase("ĄĘŚŃŹ", "ąęśńź"));
    EXPECT_FALSE(SameNameIgnoringCase("ż", "ź"));
    EXPECT_FALSE(SameNameIgnoringCase("abc", "abcd"));
    EXPECT_FALSE(SameNameIgnoringCase("a\xC3", "a\xE3")) << "malformed bytes only match themselves";
}

TEST(ContentPath, ExactPathWinsAndBackslashesBecomeSlashes)
{
    test::TempDir dir;
    dir.Write("Data/gra/kot.tbb", std::string("x"));
    test::CurrentDirGuard here(dir.Path());
    EXPECT_EQ(ResolveContentPath("Data\\gra\\kot.tbb"), "Data/gra/kot.tbb");
    EXPECT_TRUE(ContentFileExists("Data\\gra\\kot.tbb"));
}

TEST(ContentPath, EachComponentIsMatchedIgnoringCase)
{
    test::TempDir dir;
    dir.Write("DATA/Gra/Kot.TBB", std::string("x"));
    test::CurrentDirGuard here(dir.Path());
    EXPECT_EQ(ResolveContentPath("Data\\gra\\kot.tbb"), "DATA/Gra/Kot.TBB");
    EXPECT_TRUE(ContentFileExists("data\\GRA\\KOT.tbb"));
}

TEST(ContentPath, Windows1250NamesFindUtf8Files)
{
    test::TempDir dir;
    dir.Write("Data/sou/Żaba.cw", std::string("x"));
    test::CurrentDirGuard here(dir.Path());
    // "żaba" in Windows-1250, in another letter case than on disk.
    EXPECT_EQ(ResolveContentPath("Data\\sou\\\xBF"
                                 "aba.cw"),
              "Data/sou/Żaba.cw");
    EXPECT_TRUE(ContentFileExists("Data\\sou\\\xAF"
                                  "ABA.cw"));
}

TEST(ContentPath, MissingFilesAndDirectories)
{
    test::TempDir dir;
    dir.Write("Data/gra/kot.tbb", std::string("x"));
    test::CurrentDirGuard here(dir.Path());
    EXPECT_FALSE(ContentFileExists("Data\\gra\\pies.tbb"));
    EXPECT_FALSE(ContentFileExists("Data\\gra")) << "a directory is not a file";
    EXPECT_FALSE(ContentFileExists("Nic\\gra\\kot.tbb"));
    EXPECT_EQ(ResolveContentPath("Data\\gra\\pies.tbb"), "Data/gra/pies.tbb");
    EXPECT_FALSE(ContentFileExists(""));
}

}  // namespace
}  // namespace velmora
