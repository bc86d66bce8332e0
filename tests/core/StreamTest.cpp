#include <gtest/gtest.h>

#include "core/FileStream.h"
#include "core/MemoryStream.h"
#include "support/TestFiles.h"

namespace velmora {
namespace {

TEST(Stream, ReadFileStopsAtTheCap)
{
    test::TempDir dir;
    const auto path = dir.Write("f", std::string("abcdef")).string();
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(ReadFile(path, bytes, 4));
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{'a', 'b', 'c', 'd'}));
    ASSERT_TRUE(ReadFile(path, bytes, 100));
    EXPECT_EQ(bytes.size(), 6u);
    EXPECT_FALSE(ReadFile((dir.Path() / "missing").string(), bytes, 100));
    EXPECT_FALSE(ReadFile(dir.Path().string(), bytes, 100)) << "a directory cannot be read";
    EXPECT_TRUE(bytes.empty());
}

TEST(Stream, ReadWholeFileRefusesLargerFiles)
{
    test::TempDir dir;
    const auto path = dir.Write("f", std::string("abcdef")).string();
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes, 6));
    EXPECT_EQ(bytes.size(), 6u);
    EXPECT_FALSE(ReadWholeFile(path, bytes, 5));
    EXPECT_TRUE(bytes.empty());
    ASSERT_TRUE(ReadWholeFile(dir.Write("empty", std::string()).string(), bytes, 0));
    EXPECT_FALSE(ReadWholeFile(dir.Path().string(), bytes, 100));
}

TEST(Stream, MemoryStreamReadsInPieces)
{
    const char text[] = "hello";
    MemoryStream stream(text, 5);
    char buffer[4] = {};
    EXPECT_EQ(stream.Read(buffer, 3), 3u);
    EXPECT_EQ(stream.Read(buffer, 4), 2u);
    EXPECT_EQ(buffer[1], 'o');
    EXPECT_EQ(stream.Read(buffer, 4), 0u);
}

}  // namespace
}  // namespace velmora
