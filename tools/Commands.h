#pragma once

#include <string>
#include <vector>

namespace velmora::tool {

// Every subcommand takes its own arguments (without the program and
// subcommand names) and returns the process exit status: 0 success, 1 a bad
// or unusable file, 2 bad arguments.
using Arguments = std::vector<std::string>;

int RunDump(const Arguments& args);
int RunResample(const Arguments& args);
int RunTone(const Arguments& args);

}  // namespace velmora::tool
