#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "app/MainWindow.h"
#include "app/ProgramContent.h"
#include "content/ContentError.h"
#include "content/ContentLoad.h"
#include "sound/ClipPlayer.h"
#include "support/FakeAudioOutput.h"
#include "support/GuiApplication.h"
#include "support/TestContent.h"
#include "support/ToolRunner.h"

namespace velmora::app {
namespace {

namespace fs = std::filesystem;

// Whether the program starts on the current directory: its own load and its
// main window built from it, as its entry point does. `told` receives what
// the user is told when it does not.
bool ProgramStarts(std::string& told)
{
    test::FakeAudioOutput output;
    ClipPlayer player(output);
    try {
        MainWindow window(ProgramContent(LoadContent()), player);
        return true;
    } catch (const ContentError& error) {
        told = error.what();
        return false;
    }
}

// Check names the program's refusal first: a refused content file in its own
// line, any later failure in the "program" line.
bool CheckSaysRefused(const std::string& out, const std::string& failure)
{
    return out.rfind("menl.dat: " + failure, 0) == 0 || out.rfind("program: does not start: " + failure, 0) == 0;
}

TEST(ContentLoadAgreement, TheProgramDumpAndCheckRefuseTheSameContent)
{
    test::NeedsGuiApplication app;
    struct Row {
        const char* name;
        std::function<void(const fs::path&)> breakContent;
        const char* failure;  // what dump and check name; null when the program starts
    } rows[] = {
        {"whole content", [](const fs::path&) {}, nullptr},
        {"a missing clip only hides a marker", [](const fs::path& d) { fs::remove(d / "Data/sou/g0i0.cw"); }, nullptr},
        {"no sound marker", [](const fs::path& d) { fs::remove(d / "Data/gra/traba.tbb"); },
         "Data/gra/traba.tbb: no file"},
        {"a sound marker that is a folder",
         [](const fs::path& d) {
             fs::remove(d / "Data/gra/traba.tbb");
             fs::create_directory(d / "Data/gra/traba.tbb");
         },
         "Data/gra/traba.tbb: is a folder"},
        {"a missing group picture", [](const fs::path& d) { fs::remove(d / "Data/gra/g1.tbb"); },
         "Data/gra/g1.tbb: no file"},
        {"the first of two broken item pictures",
         [](const fs::path& d) {
             std::ofstream(d / "Data/gra/g0i2.tbb") << "GIF89a";
             fs::remove(d / "Data/gra/g1i0.tbb");
         },
         "Data/gra/g0i2.tbb: bad magic (not TBB1 or TBBs)"},
        {"a refused content file", [](const fs::path& d) { std::ofstream(d / "menl.dat") << "nie"; },
         "Błędny format pliku zasobów!"},
        {"no content file", [](const fs::path& d) { fs::remove(d / "menl.dat"); }, "Nie można odczytać pliku menl.dat"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::TempDir dir;
        test::WriteTestContent(dir, std::vector<test::TestGroup>(2));
        row.breakContent(dir.Path());
        const bool starts = row.failure == nullptr;
        {
            test::CurrentDirGuard inDir(dir.Path());
            std::string told;
            EXPECT_EQ(ProgramStarts(told), starts);
            // The box says that loading failed, then names the file and the
            // reason as the tool does, and the command that explains more.
            if (!starts) {
                EXPECT_EQ(told.rfind(std::string(kLoadFailedMessage) + "\n\n", 0), 0u) << told;
                EXPECT_NE(told.find(row.failure), std::string::npos) << told;
                EXPECT_NE(told.find("velmora-content check \"" + fs::current_path().string() + "\""), std::string::npos)
                    << told;
            }
        }

        const test::ToolResult dump = test::RunContentTool("dump " + test::QuoteArgument(dir.Path().string()));
        EXPECT_EQ(dump.status, starts ? 0 : 1);
        const auto json = nlohmann::json::parse(dump.out, nullptr, false);
        ASSERT_FALSE(json.is_discarded()) << dump.out;
        EXPECT_EQ(json.contains("error"), !starts) << dump.out;
        // value(), not []: a const json indexed by a missing key is undefined.
        if (!starts) {
            EXPECT_EQ(json.value("error", std::string()), row.failure);
        }

        const test::ToolResult check = test::RunContentTool("check " + test::QuoteArgument(dir.Path().string()));
        if (starts) {
            EXPECT_EQ(check.out.find("does not start"), std::string::npos) << check.out;
        } else {
            EXPECT_TRUE(CheckSaysRefused(check.out, row.failure)) << check.out;
            EXPECT_EQ(check.status, 1);
        }
    }
}

}  // namespace
}  // namespace velmora::app
