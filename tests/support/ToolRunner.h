#pragma once

#include <filesystem>
#include <string>

namespace velmora::test {

struct ToolResult {
    int status = -1;  // exit status, -1 when the tool did not exit normally
    std::string out;  // standard output
};

// Runs the content tool with `arguments` (passed to the shell as they stand;
// quote paths with QuoteArgument). Standard error is discarded, or appended
// to `out` when `withErrors` is set.
ToolResult RunContentTool(const std::string& arguments, bool withErrors = false);

std::string QuoteArgument(const std::string& text);
// A path as one argument of RunContentTool.
std::string Arg(const std::filesystem::path& path);

}  // namespace velmora::test
