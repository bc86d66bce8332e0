// Content that an attacker or a careless author may hand the program: named
// pipes and devices where files belong, names with control bytes, paths
// that climb out of the content directory.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "content/ContentError.h"
#include "content/ContentSet.h"
#include "core/ContentName.h"
#include "core/ContentPath.h"
#include "core/ContentResolver.h"
#include "core/FileStream.h"
#include "graphics/CoveragePicture.h"
#include "support/TestFiles.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

TEST(HostileFiles, OnlyRegularFilesAreEverRead)
{
    test::TempDir dir;
    test::CurrentDirGuard here(dir.Path());
    dir.Write("Data/gra/plain.tbb", test::UnpackedTbb(1, 1, {7}));
    fs::create_symlink("plain.tbb", "Data/gra/link.tbb");
    ASSERT_EQ(::mkfifo("Data/gra/pipe.tbb", 0600), 0);
    fs::create_symlink("pipe.tbb", "Data/gra/pipelink.tbb");
    fs::create_directories("Data/gra/folder.tbb");
    fs::create_symlink("/dev/zero", "Data/gra/device.tbb");
    fs::create_symlink("nowhere.tbb", "Data/gra/dangling.tbb");

    // Each row would block forever or read without end if the pipe or the
    // device were opened as a file is.
    const struct {
        const char* name;
        LoadError reason;
    } rows[] = {
        {"plain", LoadError::None},
        {"link", LoadError::None},
        {"pipe", LoadError::NotRegularFile},
        {"pipelink", LoadError::NotRegularFile},
        {"device", LoadError::NotRegularFile},
        {"folder", LoadError::IsFolder},
        {"missing", LoadError::NoFile},
        {"dangling", LoadError::NoFile},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string contentPath = std::string("Data\\gra\\") + row.name + ".tbb";
        const std::string path = ResolveContentPath(contentPath);
        EXPECT_EQ(RegularFileStatus(path), row.reason);
        EXPECT_EQ(ContentFileExists(contentPath), row.reason == LoadError::None);

        FileStream stream(path);
        EXPECT_EQ(stream.IsOpen(), row.reason == LoadError::None);
        EXPECT_EQ(stream.OpenError(), row.reason);

        std::vector<std::uint8_t> bytes;
        LoadError error = LoadError::TooLarge;
        EXPECT_EQ(ReadWholeFile(path, bytes, 1 << 20, &error), row.reason == LoadError::None);
        EXPECT_EQ(error, row.reason);

        CoveragePicture picture;
        error = LoadError::TooLarge;
        EXPECT_EQ(picture.LoadFromFile(path, &error), row.reason == LoadError::None);
        EXPECT_EQ(error, row.reason);
    }
}

TEST(HostileFiles, AContentFileThatIsNoRegularFileIsRefused)
{
    test::TempDir dir;
    test::CurrentDirGuard here(dir.Path());
    ASSERT_EQ(::mkfifo("pipe.dat", 0600), 0);
    fs::create_directories("folder.dat");
    const struct {
        const char* name;
        LoadError reason;
    } rows[] = {
        {"pipe.dat", LoadError::NotRegularFile}, {"folder.dat", LoadError::IsFolder}, {"none.dat", LoadError::NoFile}};
    for (const auto& row : rows) {
        ContentSet content;
        try {
            content.LoadFromFile(row.name);
            ADD_FAILURE() << row.name << " was read";
        } catch (const ContentError& error) {
            EXPECT_EQ(error.Reason(), row.reason) << row.name;
        }
    }
}

TEST(HostileFiles, ReadingAPipeOrDeviceStopsAtTheCap)
{
    std::vector<std::uint8_t> bytes;
    LoadError error = LoadError::None;
    EXPECT_FALSE(ReadWholeFile("/dev/zero", bytes, 100000, &error, FileKinds::Any));
    EXPECT_EQ(error, LoadError::TooLarge);
    EXPECT_TRUE(bytes.empty());
    EXPECT_TRUE(ReadWholeFile("/dev/null", bytes, 100000, &error, FileKinds::Any));
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(ReadWholeFile("/dev/null", bytes, 100000, &error)) << "content reads regular files only";
    EXPECT_EQ(error, LoadError::NotRegularFile);
}

TEST(HostileFiles, NamesWithControlBytesNameNoFile)
{
    test::TempDir dir;
    test::CurrentDirGuard here(dir.Path());
    // What the name would reach if the system cut it at the NUL.
    dir.Write("secret", std::string("x"));
    dir.Write("Data/gra/a\tb.tbb", std::string("x"));
    const std::string rows[] = {
        std::string("Data\\gra\\..\\..\\secret\0", 22) + ".tbb",
        std::string("Data\\gra\\..\\..\\secret\x01.tbb"),
        std::string("Data\\gra\\a\tb.tbb"),
        std::string("Data\\gra\\\x1B[2J.tbb"),
        std::string("\x1F"),
    };
    for (const std::string& contentPath : rows) {
        SCOPED_TRACE(testing::PrintToString(contentPath));
        EXPECT_TRUE(HasControlByte(contentPath));
        EXPECT_EQ(ResolveContentPath(contentPath), "");
        EXPECT_FALSE(ContentFileExists(contentPath));
    }
    EXPECT_FALSE(HasControlByte("Data\\gra\\\xBF"
                                "aba \x7F.tbb"))
        << "space, DEL and letters are allowed";
}

TEST(HostileFiles, PathsLeavingTheContentDirectoryAreRecognised)
{
    const struct {
        const char* contentPath;
        bool leaves;
    } rows[] = {
        {"Data\\gra\\kot.tbb", false},
        {"Data\\gra\\..\\..\\kot.tbb", false},
        {"Data\\gra\\.\\..\\..\\kot.tbb", false},
        {"Data\\gra\\..\\..\\..\\etc\\passwd.tbb", true},
        {"Data\\gra\\a\\..\\..\\..\\..\\x.tbb", true},
        {"\\etc\\passwd", true},
        {"/etc/passwd", true},
        {"Data/gra//..//..//x", false},
        {"..", true},
        {"", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(LeavesContentDirectory(row.contentPath), row.leaves) << row.contentPath;
}

TEST(HostileFiles, OneResolverResolvesAsEachFreshResolutionDoes)
{
    test::TempDir dir;
    test::CurrentDirGuard here(dir.Path());
    dir.Write("DATA/Gra/Kot.TBB", std::string("x"));
    dir.Write("DATA/Gra/kot.tbb", std::string("x"));
    dir.Write("DATA/Sou/\xC5\xBB"
              "aba.cw",
              std::string("x"));  // "Żaba"
    ContentResolver resolver;
    for (const char* contentPath : {"Data\\gra\\KOT.tbb", "data\\GRA\\kot.tbb",
                                    "Data\\sou\\\xBF"
                                    "aba.cw",
                                    "Data\\sou\\pies.cw", "Data\\..\\DATA\\gra\\kot.TBB", "Nic\\gra\\kot.tbb", ""}) {
        SCOPED_TRACE(contentPath);
        EXPECT_EQ(resolver.Resolve(contentPath), ResolveContentPath(contentPath));
        EXPECT_EQ(resolver.FileExists(contentPath), ContentFileExists(contentPath));
    }
    // The resolver keeps what it read of a folder; a fresh resolution sees
    // a file added since.
    dir.Write("DATA/Sou/Pies.cw", std::string("x"));
    EXPECT_FALSE(resolver.FileExists("Data\\sou\\pies.cw"));
    EXPECT_TRUE(ContentFileExists("Data\\sou\\pies.cw"));
}

}  // namespace
}  // namespace velmora
