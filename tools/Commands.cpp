#include "tools/Commands.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace velmora::tool {

bool HandleUsage(const Command& command, const Arguments& args, int& status)
{
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(command.help, stdout);
        status = kExitOk;
        return true;
    }
    if (args.size() < command.minCount || args.size() > command.maxCount) {
        status = BadArguments(command.help);
        return true;
    }
    return false;
}

int BadArguments(const char* help)
{
    std::fputs(help, stderr);
    return kExitBadArguments;
}

int Fail(const char* command, const std::string& message)
{
    ReportError(command, message);
    return kExitBadFile;
}

void ReportError(const char* command, const std::string& message)
{
    std::fprintf(stderr, "velmora-content %s: %s\n", command, message.c_str());
}

bool EnterContentDirectory(const char* command, const std::string& directory)
{
    if (::chdir(directory.c_str()) == 0)
        return true;
    ReportError(command, "cannot enter " + directory + ": " + std::strerror(errno));
    return false;
}

bool ParseDirectoryPair(const Arguments& args, std::filesystem::path& from, std::filesystem::path& to, bool& force)
{
    std::vector<std::string> folders;
    force = false;
    for (const std::string& arg : args) {
        if (arg == "--force")
            force = true;
        else
            folders.push_back(arg);
    }
    if (folders.size() != 2 || folders[0].empty() || folders[1].empty())
        return false;
    from = folders[0];
    to = folders[1];
    return true;
}

bool FinishStandardOutput(const char* command)
{
    std::cout.flush();
    const bool written = std::cout.good() && std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
    if (!written)
        ReportError(command, std::string("cannot write the standard output: ") + std::strerror(errno));
    return written;
}

}  // namespace velmora::tool
