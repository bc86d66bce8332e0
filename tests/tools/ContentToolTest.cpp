#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "support/TestFiles.h"
#include "support/ToolRunner.h"

namespace velmora {
namespace {

using test::RunContentTool;
using test::ToolResult;

TEST(ContentToolDump, PrintsTheTreeAsUtf8Json)
{
    test::TempDir dir;
    dir.Write("menl.dat",
              std::string("F\xA8 #\"\xAF"
                          "aba\"\"\xBF"
                          "aba\"B |\"T\"\"t\" -\"A\"\"a\" -\"B\"\"b\" "
                          "P\xA8 -\"Pomoc\"\"pomoc\"\"-4\" R\xA8 |\"IPA\"\"https://example.org\" -\"S\"\"s1\""));
    dir.Write("Data/gra/\xC5\xBC"
              "aba.tbb",
              test::UnpackedTbb(3, 2, test::Bytes(6)));  // UTF-8 "żaba"
    dir.Write("Data/gra/T.TBB", test::UnpackedTbb(1, 1, {0}));
    dir.Write("Data/gra/a.tbb", test::UnpackedTbb(4, 5, test::Bytes(20)));
    dir.Write("Data/gra/b.tbb", test::UnpackedTbb(1, 1, {0}));
    dir.Write("Data/gra/pomoc.tbb", test::UnpackedTbb(1, 1, {0}));
    dir.Write("Data/gra/traba.tbb", test::UnpackedTbb(1, 1, {0}));
    dir.Write("Data/sou/a.cw", std::string("riff"));

    const ToolResult result = RunContentTool("dump " + dir.Path().string());
    ASSERT_EQ(result.status, 0);
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_TRUE(json["loadResources"].get<bool>());
    const auto& group = json["menuItems"][0];
    EXPECT_EQ(group["name"], "Żaba");
    EXPECT_EQ(group["fileName"], "żaba");
    EXPECT_EQ(group["flags"], 1);
    EXPECT_EQ(group["image"], nlohmann::json::array({3, 2}));
    EXPECT_EQ(group["title"]["flags"], 1);
    EXPECT_EQ(group["title"]["image"], nlohmann::json::array({3, 2}));
    EXPECT_EQ(group["title"]["children"][0]["name"], "T");
    EXPECT_EQ(group["children"][0]["flags"], 3);
    EXPECT_EQ(group["children"][0]["image"], nlohmann::json::array({4, 5}));
    EXPECT_EQ(group["children"][1]["flags"], 1);
    EXPECT_EQ(json["helpPages"][0]["value"], -4);
    EXPECT_EQ(json["presentation"]["links"][0]["fileName"], "https://example.org");
    EXPECT_EQ(json["presentation"]["links"][0]["flags"], 9);
    EXPECT_EQ(json["presentation"]["pages"][0]["name"], "S");
    EXPECT_EQ(json["presentation"]["pages"][0]["image"], nlohmann::json::array({0, 0}));
}

TEST(ContentToolDump, ReportsMissingPicturesAndRefusedFiles)
{
    test::TempDir dir;
    dir.Write("menl.dat", std::string("F\xA8 #\"G\"\"g\"B"));
    ToolResult result = RunContentTool("dump " + dir.Path().string());
    ASSERT_EQ(result.status, 1) << "the program would not start";
    EXPECT_FALSE(nlohmann::json::parse(result.out)["loadResources"].get<bool>());

    dir.Write("menl.dat", std::string("nie"));
    result = RunContentTool("dump " + dir.Path().string());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(nlohmann::json::parse(result.out)["error"], "Błędny format pliku zasobów!");

    EXPECT_EQ(RunContentTool("dump " + (dir.Path() / "nowhere").string()).status, 1);
    EXPECT_EQ(RunContentTool("dump").status, 2);
    EXPECT_EQ(RunContentTool("no-such-command").status, 2);
    EXPECT_EQ(RunContentTool("dump --help").status, 0);
}

// A binary PPM with the given header text and pixel bytes (red, green, blue).
test::Bytes Ppm(const std::string& header, const test::Bytes& pixels)
{
    test::Bytes file(header.begin(), header.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

TEST(ContentToolResample, ScalesAndKeepsTheChannelOrder)
{
    test::TempDir dir;
    // Red carries the worked example 2 x 2 -> 3 x 3, green and blue are flat.
    const auto in = dir.Write("in.ppm", Ppm("P6\n# a comment\n2 2\n255\n", {0, 7, 1, 100, 7, 1, 200, 7, 1, 50, 7, 1}));
    const auto out = dir.Path() / "out.ppm";
    ASSERT_EQ(RunContentTool("resample " + in.string() + " 3 3 " + out.string()).status, 0);
    test::Bytes expected;
    for (const int red : {0, 50, 100, 100, 87, 75, 200, 125, 50})
        expected.insert(expected.end(), {static_cast<std::uint8_t>(red), 7, 1});
    EXPECT_EQ(test::ReadBytes(out), Ppm("P6\n3 3\n255\n", expected));
}

TEST(ContentToolResample, SizesThatWriteNothingGiveTheFreshDestination)
{
    test::TempDir dir;
    const auto in = dir.Write("in.ppm", Ppm("P6 100 100 255\n", test::Bytes(100 * 100 * 3, 200)));
    const auto out = dir.Path() / "out.ppm";
    ASSERT_EQ(RunContentTool("resample " + in.string() + " 30 200 " + out.string()).status, 0);
    EXPECT_EQ(test::ReadBytes(out), Ppm("P6\n30 200\n255\n", test::Bytes(30 * 200 * 3, 0)));
}

TEST(ContentToolTone, AppliesTheToneCurve)
{
    test::TempDir dir;
    const auto in = dir.Write("in.ppm", Ppm("P6\n2 1\n255\n", {10, 20, 30, 36, 128, 255}));
    const auto out = dir.Path() / "out.ppm";
    ASSERT_EQ(RunContentTool("tone 35 " + in.string() + " " + out.string()).status, 0);
    EXPECT_EQ(test::ReadBytes(out), Ppm("P6\n2 1\n255\n", {0, 0, 0, 1, 107, 255}));
}

TEST(ContentToolPictures, RefusesBadFilesAndArguments)
{
    test::TempDir dir;
    const std::string out = (dir.Path() / "out.ppm").string();
    struct BadFile {
        const char* name;
        test::Bytes bytes;
        const char* message;
    };
    const BadFile files[] = {
        {"short.ppm", Ppm("P6\n2 2\n255\n", test::Bytes(11, 0)), "truncated"},
        {"ascii.ppm", Ppm("P3\n1 1\n255\n0 0 0\n", {}), "not a binary PPM"},
        {"deep.ppm", Ppm("P6\n1 1\n65535\n", test::Bytes(6, 0)), "maxval 255"},
        {"huge.ppm", Ppm("P6\n100000 100000\n255\n", {}), "not supported"},
        {"wide.ppm", Ppm("P6\n99999999999999999999 1\n255\n", {}), "bad PPM size"},
        {"empty.ppm", Ppm("P6\n0 5\n255\n", {}), "not supported"},
        {"nomax.ppm", Ppm("P6\n1 1\n", {}), "maxval 255"},
    };
    for (const BadFile& file : files) {
        SCOPED_TRACE(file.name);
        const std::string in = dir.Write(file.name, file.bytes).string();
        ToolResult result = RunContentTool("resample " + in + " 4 4 " + out, true);
        EXPECT_EQ(result.status, 1);
        EXPECT_NE(result.out.find(file.message), std::string::npos) << result.out;
        EXPECT_EQ(RunContentTool("tone 35 " + in + " " + out).status, 1);
    }
    EXPECT_EQ(RunContentTool("resample " + (dir.Path() / "missing.ppm").string() + " 4 4 " + out).status, 1);

    const std::string in = dir.Write("in.ppm", Ppm("P6\n1 1\n255\n", {1, 2, 3})).string();
    EXPECT_EQ(RunContentTool("resample " + in + " 4 4 " + (dir.Path() / "no" / "dir.ppm").string()).status, 1);
    for (const std::string& arguments :
         {"resample " + in + " 0 4 " + out, "resample " + in + " 4 x " + out, "resample " + in + " 4 4",
          "resample " + in + " 100000 100000 " + out, "tone 3.5 " + in + " " + out,
          "tone 99999999999 " + in + " " + out, std::string("tone")})
        EXPECT_EQ(RunContentTool(arguments).status, 2) << arguments;
    EXPECT_EQ(RunContentTool("resample --help").status, 0);
    EXPECT_EQ(RunContentTool("tone --help").status, 0);
}

}  // namespace
}  // namespace velmora
