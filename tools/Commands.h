#pragma once

#include <string>
#include <vector>

namespace velmora::tool {

// Every subcommand takes its own arguments (without the program and
// subcommand names) and returns the process exit status: 0 success, 1 a bad
// or unusable file, 2 bad arguments.
using Arguments = std::vector<std::string>;

enum ExitStatus { kExitOk = 0, kExitBadFile = 1, kExitBadArguments = 2 };

// Handles "--help" and a wrong argument count the same way in every
// subcommand: returns true, with `status` set, when the command must end.
bool HandleUsage(const Arguments& args, std::size_t minCount, std::size_t maxCount, const char* help,
                 int& status);

// Prints "velmora-content COMMAND: message" on standard error.
void ReportError(const char* command, const std::string& message);

// Makes `directory` the current one, as the program runs in its content
// directory; reports the failure and returns false when it cannot.
bool EnterContentDirectory(const char* command, const std::string& directory);

int RunDump(const Arguments& args);
int RunPack(const Arguments& args);
int RunUnpack(const Arguments& args);
int RunScramble(const Arguments& args);
int RunUnscramble(const Arguments& args);
int RunCheck(const Arguments& args);
int RunMakeDemo(const Arguments& args);
int RunResample(const Arguments& args);
int RunTone(const Arguments& args);

}  // namespace velmora::tool
