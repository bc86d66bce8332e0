#include "tools/Commands.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

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

bool WriteBytes(const std::string& path, const void* data, std::size_t size, std::string& error)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(data, 1, size, file) == size;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace velmora::tool
