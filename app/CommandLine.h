#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace velmora::app {

// What the program's command line asks for: "velmora [CONTENT_DIR]", or
// "--help" / "--version", which are answered before any window (or the
// display) is needed.
struct CommandLine {
    enum class Action { Run, Help, Version, Bad };

    Action action = Action::Run;
    std::string contentDirectory;  // empty: none given
    std::string problem;           // what is wrong, for Action::Bad
};

// The arguments after the program's name. "--help" (or "-h") and
// "--version" win wherever they stand; more than one folder, or an option
// the program does not know, is Bad.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The usage text and the version line, each ending in a newline.
std::string HelpText();
std::string VersionText();

// The folder the program reads its content from: the one given, otherwise
// the current folder when it holds the content file, else the installed
// demo when that does, else the current folder (whose load then reports
// the missing file).
std::filesystem::path ChooseContentDirectory(const std::string& given, const std::filesystem::path& current,
                                             const std::filesystem::path& installedDemo);

}  // namespace velmora::app
