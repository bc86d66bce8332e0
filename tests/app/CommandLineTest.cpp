#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "support/TestFiles.h"

namespace velmora::app {
namespace {

using Action = CommandLine::Action;

TEST(CommandLine, ReadsOneFolderAndTheTwoQuestions)
{
    struct Row {
        std::vector<std::string> arguments;
        Action action;
        std::string folder;
    };
    const Row rows[] = {
        {{}, Action::Run, ""},
        {{"treść"}, Action::Run, "treść"},
        {{"--help"}, Action::Help, ""},
        {{"-h"}, Action::Help, ""},
        {{"--version"}, Action::Version, ""},
        {{"a", "b", "--help"}, Action::Help, ""},
        {{"--bogus", "--version"}, Action::Version, ""},
        {{"a", "b"}, Action::Bad, ""},
        {{"--bogus"}, Action::Bad, ""},
        {{""}, Action::Bad, ""},
        {{"-"}, Action::Run, "-"},
    };
    for (const Row& row : rows) {
        const CommandLine command = ParseCommandLine(row.arguments);
        EXPECT_EQ(command.action, row.action) << ::testing::PrintToString(row.arguments);
        EXPECT_EQ(command.contentDirectory, row.folder) << ::testing::PrintToString(row.arguments);
        EXPECT_EQ(command.problem.empty(), row.action != Action::Bad) << ::testing::PrintToString(row.arguments);
    }
}

TEST(CommandLine, FallsBackToTheInstalledDemoOnlyWithoutContentHere)
{
    test::TempDir dir;
    const auto here = dir.Path() / "here";
    const auto demo = dir.Path() / "demo";
    const auto empty = dir.Path() / "empty";
    dir.Write("here/MENL.DAT", std::string("F\xA8"));
    dir.Write("demo/menl.dat", std::string("F\xA8"));
    dir.Write("empty/Data/menl.dat", std::string("not here"));

    EXPECT_EQ(ChooseContentDirectory("given", here, demo), "given");
    EXPECT_EQ(ChooseContentDirectory("", here, demo), here);
    EXPECT_EQ(ChooseContentDirectory("", empty, demo), demo);
    EXPECT_EQ(ChooseContentDirectory("", empty, dir.Path() / "no-demo"), empty);
    EXPECT_EQ(ChooseContentDirectory("", empty, ""), empty);
}

}  // namespace
}  // namespace velmora::app
