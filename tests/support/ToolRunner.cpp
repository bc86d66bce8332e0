#include "support/ToolRunner.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>

namespace velmora::test {

ToolResult RunContentTool(const std::string& arguments, bool withErrors)
{
    ToolResult result;
    const std::string command =
        std::string(VELMORA_CONTENT_TOOL) + " " + arguments + (withErrors ? " 2>&1" : " 2>/dev/null");
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return result;
    std::array<char, 4096> buffer{};
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.out.append(buffer.data(), got);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string QuoteArgument(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

std::string Arg(const std::filesystem::path& path)
{
    return QuoteArgument(path.string());
}

}  // namespace velmora::test
