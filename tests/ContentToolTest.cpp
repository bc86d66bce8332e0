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
    dir.Write("menl.dat", std::string("F\xA8 #\"\xAF" "aba\"\"\xBF" "aba\"B |\"T\"\"t\" -\"A\"\"a\" -\"B\"\"b\" "
                                      "P\xA8 -\"Pomoc\"\"pomoc\"\"-4\" R\xA8 |\"IPA\"\"https://example.org\" -\"S\"\"s1\""));
    dir.Write("Data/gra/\xC5\xBC" "aba.tbb", test::UnpackedTbb(3, 2, test::Bytes(6)));  // UTF-8 "żaba"
    dir.Write("Data/gra/T.TBB", test::UnpackedTbb(1, 1, {0}));
    dir.Write("Data/gra/a.tbb", test::UnpackedTbb(4, 5, test::Bytes(20)));
    dir.Write("Data/gra/b.tbb", test::UnpackedTbb(1, 1, {0}));
    dir.Write("Data/gra/pomoc.tbb", test::UnpackedTbb(1, 1, {0}));
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
    ASSERT_EQ(result.status, 0);
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

}  // namespace
}  // namespace velmora
