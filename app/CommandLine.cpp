#include "app/CommandLine.h"

#include <system_error>

#include "content/ContentLayout.h"
#include "core/ContentName.h"

namespace velmora::app {

namespace fs = std::filesystem;

namespace {

// Whether `folder` holds the content file, its name in any letter case as
// the program finds it.
bool HoldsContentFile(const fs::path& folder)
{
    std::error_code code;
    for (fs::directory_iterator entry(folder, code), end; !code && entry != end; entry.increment(code)) {
        if (SameNameIgnoringCase(entry->path().filename().string(), std::string(kContentFileName)) &&
            entry->is_regular_file(code))
            return true;
    }
    return false;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine command;
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h")
            return CommandLine{.action = CommandLine::Action::Help};
        if (argument == "--version")
            return CommandLine{.action = CommandLine::Action::Version};
    }
    for (const std::string& argument : arguments) {
        if (command.action == CommandLine::Action::Bad)
            break;
        if (argument.size() > 1 && argument[0] == '-') {
            command = {.action = CommandLine::Action::Bad, .problem = "unknown option " + argument};
        } else if (!command.contentDirectory.empty() || argument.empty()) {
            command = {.action = CommandLine::Action::Bad, .problem = "give one content folder at most"};
        } else {
            command.contentDirectory = argument;
        }
    }
    return command;
}

std::string HelpText()
{
    return "usage: velmora [CONTENT_DIR]\n"
           "Auditory training on examples of pre-school children's pronunciation.\n"
           "\n"
           "CONTENT_DIR is the folder that holds the content: menl.dat and its Data\n"
           "folder. Without it, the program reads the current folder, or the demo\n"
           "content installed with it when the current folder holds no menl.dat.\n"
           "Content of your own is made with velmora-content (see docs/content.md).\n"
           "\n"
           "  -h, --help     print this text and exit\n"
           "      --version  print the program's version and exit\n";
}

std::string VersionText()
{
    return std::string("velmora ") + VELMORA_VERSION + "\n";
}

fs::path ChooseContentDirectory(const std::string& given, const fs::path& current, const fs::path& installedDemo)
{
    if (!given.empty())
        return given;
    if (!HoldsContentFile(current) && !installedDemo.empty() && HoldsContentFile(installedDemo))
        return installedDemo;
    return current;
}

}  // namespace velmora::app
