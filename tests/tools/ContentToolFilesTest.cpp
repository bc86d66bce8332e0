#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "graphics/CoveragePicture.h"
#include "graphics/PackedPicture.h"
#include "support/TestFiles.h"
#include "support/ToolRunner.h"
#include "support/WaveFiles.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using test::Arg;
using test::Bytes;
using test::RunContentTool;

Bytes RandomBytes(std::mt19937& random, std::size_t size)
{
    Bytes bytes(size);
    for (auto& byte : bytes)
        byte = static_cast<std::uint8_t>(random());
    return bytes;
}

TEST(ContentToolPack, PackThenUnpackKeepsTheSevenBitValues)
{
    test::TempDir dir;
    std::mt19937 random(7);
    for (const auto& [width, height] : {std::pair{1, 1}, std::pair{37, 5}, std::pair{300, 41}}) {
        // Runs of equal values among noise, so that both code kinds occur.
        Bytes pixels = RandomBytes(random, static_cast<std::size_t>(width) * height);
        for (std::size_t p = 0; p + 40 < pixels.size(); p += 97)
            std::fill_n(pixels.begin() + static_cast<std::ptrdiff_t>(p), 40, pixels[p]);
        for (auto& value : pixels)
            value = ExpandSevenBit(value >> 1);
        dir.Write("in.tbb", test::UnpackedTbb(width, height, pixels));

        ASSERT_EQ(RunContentTool("unpack " + Arg(dir.Path() / "in.tbb") + " " + Arg(dir.Path() / "a.png")).status, 0);
        ASSERT_EQ(RunContentTool("pack " + Arg(dir.Path() / "a.png") + " " + Arg(dir.Path() / "a.tbb")).status, 0);
        CoveragePicture packed;
        ASSERT_TRUE(packed.LoadFromFile((dir.Path() / "a.tbb").string()));
        ASSERT_EQ(packed.Width(), width);
        EXPECT_EQ(Bytes(packed.Data(), packed.Data() + pixels.size()), pixels) << width << "x" << height;
        EXPECT_EQ(test::ReadBytes(dir.Path() / "a.tbb")[3], 's') << "written packed";
    }
}

TEST(ContentToolPack, BadInputsFailCleanly)
{
    test::TempDir dir;
    dir.Write("junk.png", std::string("not a picture"));
    dir.Write("bad.tbb", std::string("TBBs\x01\x00\x00\x00\x01\x00\x00\x00\x05\x00\x00\x00", 16));
    EXPECT_EQ(RunContentTool("pack " + Arg(dir.Path() / "junk.png") + " " + Arg(dir.Path() / "o.tbb")).status, 1);
    EXPECT_EQ(RunContentTool("pack " + Arg(dir.Path() / "none.png") + " " + Arg(dir.Path() / "o.tbb")).status, 1);
    EXPECT_EQ(RunContentTool("unpack " + Arg(dir.Path() / "bad.tbb") + " " + Arg(dir.Path() / "o.png")).status, 1);
    EXPECT_EQ(RunContentTool("pack onlyone").status, 2);
    EXPECT_EQ(RunContentTool("unpack --help").status, 0);
}

TEST(ContentToolClips, ScrambleAndUnscrambleAreExactInverses)
{
    test::TempDir dir;
    std::mt19937 random(11);
    for (const std::size_t size : {44u, 45u, 47u, 403u, 404u, 405u, 5000u}) {
        Bytes wave = RandomBytes(random, size);
        std::copy_n("RIFF", 4, wave.begin());
        dir.Write("in.wav", wave);
        ASSERT_EQ(RunContentTool("scramble " + Arg(dir.Path() / "in.wav") + " " + Arg(dir.Path() / "c.cw")).status, 0);
        const Bytes clip = test::ReadBytes(dir.Path() / "c.cw");
        EXPECT_EQ(clip, test::ScrambleClip(wave)) << size;
        ASSERT_EQ(RunContentTool("unscramble " + Arg(dir.Path() / "c.cw") + " " + Arg(dir.Path() / "out.wav")).status,
                  0);
        EXPECT_EQ(test::ReadBytes(dir.Path() / "out.wav"), wave) << size;
    }
    dir.Write("short.wav", std::string("RIFF0123"));
    EXPECT_EQ(RunContentTool("scramble " + Arg(dir.Path() / "short.wav") + " " + Arg(dir.Path() / "c.cw")).status, 1);
    EXPECT_EQ(RunContentTool("unscramble " + Arg(dir.Path() / "missing.cw") + " " + Arg(dir.Path() / "o.wav")).status,
              1);
}

// One demo content set for every check test: making it takes a few seconds.
class ContentToolCheck : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        demo_ = new test::TempDir();
        makeDemoStatus_ = RunContentTool("make-demo " + Arg(demo_->Path() / "demo")).status;
    }
    static void TearDownTestSuite()
    {
        delete demo_;
        demo_ = nullptr;
    }

    void SetUp() override
    {
        ASSERT_EQ(makeDemoStatus_, 0);
        fs::copy(demo_->Path() / "demo", copy.Path() / "demo", fs::copy_options::recursive);
    }

    fs::path Demo() const { return copy.Path() / "demo"; }
    test::ToolResult Check() const { return RunContentTool("check " + Arg(Demo())); }

    test::TempDir copy;

private:
    static test::TempDir* demo_;
    static int makeDemoStatus_;
};

test::TempDir* ContentToolCheck::demo_ = nullptr;
int ContentToolCheck::makeDemoStatus_ = -1;

TEST_F(ContentToolCheck, TheDemoHasOnlyItsDeliberatelyMissingClip)
{
    const test::ToolResult result = Check();
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.out.find("clip Data/sou/auto.cw: missing"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find(": 1 problem(s)"), std::string::npos) << result.out;

    const test::ToolResult dump = RunContentTool("dump " + Arg(Demo()));
    EXPECT_NE(dump.out.find("\"loadResources\": true"), std::string::npos);
}

TEST_F(ContentToolCheck, ReportsEveryKindOfBrokenFile)
{
    const fs::path gra = Demo() / "Data/gra";
    fs::remove(gra / "Kot.tbb");  // menl.dat names it "kot"
    auto write = [&](const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    };
    write(gra / "pies.tbb", "GIF89a..............");
    write(gra / "krowa.tbb", std::string("TBB1\xA1\x86\x01\x00\x01\x00\x00\x00", 12));
    write(gra / "koń.tbb", std::string("TBB1\x02\x00\x00\x00\x02\x00\x00\x00\x01", 13));
    write(gra / "mysz.tbb", std::string("TBBs\x01\x00\x00\x00\x01\x00\x00\x00\x02\x00\x00\x00\x01\x01", 18));
    write(gra / "ryba.tbb", std::string("TBBs\x03\x00\x00\x00\x01\x00\x00\x00\x01\x00\x00\x00\x01", 17));
    write(Demo() / "Data/sou/sowa.cw", "riff and nothing more, not a wave at all......");
    write(Demo() / "Data/pre/ipa2.dat", "\xFF\xD8\xFF\xE0 truncated");
    fs::remove(Demo() / "Data/pre/ipa3.dat");

    const test::ToolResult result = Check();
    EXPECT_EQ(result.status, 1);
    for (const char* expected :
         {"picture Data/gra/kot.tbb: no file", "picture Data/gra/pies.tbb: bad magic",
          "picture Data/gra/krowa.tbb: dimensions out of range", "picture Data/gra/koń.tbb: short data",
          "picture Data/gra/mysz.tbb: packed stream left over", "picture Data/gra/ryba.tbb: packed stream short",
          "clip Data/sou/sowa.cw: ", "page Data/pre/ipa2.dat: not a decodable JPEG", "page Data/pre/ipa3.dat: missing"})
        EXPECT_NE(result.out.find(expected), std::string::npos) << expected << "\n" << result.out;
}

TEST_F(ContentToolCheck, ReportsWhereTheContentFileStopsAndRefusedFiles)
{
    {
        std::ofstream menl(Demo() / "menl.dat", std::ios::binary | std::ios::app);
        menl << "#\"late\" \"late\"";  // a group after the presentation section
    }
    test::ToolResult result = Check();
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.out.find("menl.dat: reading stopped at byte"), std::string::npos) << result.out;

    std::ofstream(Demo() / "menl.dat", std::ios::binary) << "nothing";
    result = Check();
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.out.find("Błędny format pliku zasobów!"), std::string::npos) << result.out;
}

TEST(ContentToolCheckArguments, UsageAndMissingDirectory)
{
    EXPECT_EQ(RunContentTool("check").status, 2);
    EXPECT_EQ(RunContentTool("check --help").status, 0);
    EXPECT_EQ(RunContentTool("check /nonexistent/velmora").status, 1);
    EXPECT_EQ(RunContentTool("make-demo --synthetic 1 x 1 /tmp/none").status, 2);
}

}  // namespace
}  // namespace velmora
