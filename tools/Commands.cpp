#include "tools/Commands.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace velmora::tool {

bool HandleUsage(const Arguments& args, std::size_t minCount, std::size_t maxCount, const char* help,
                 int& status)
{
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(help, stdout);
        status = kExitOk;
        return true;
    }
    if (args.size() < minCount || args.size() > maxCount) {
        std::fputs(help, stderr);
        status = kExitBadArguments;
        return true;
    }
    return false;
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

}  // namespace velmora::tool
