#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/OutputFile.h"

namespace velmora::tool {

// Every subcommand takes its own arguments (without the program and
// subcommand names) and returns the process exit status: 0 success, 1 a bad
// or unusable file, 2 bad arguments.
using Arguments = std::vector<std::string>;

inline constexpr int kExitOk = 0;
inline constexpr int kExitBadFile = 1;
inline constexpr int kExitBadArguments = 2;

// One subcommand: its name, its line in the tool's usage, its own usage
// text, how many arguments it takes, and what runs it. The tool answers
// "--help" and a wrong argument count with `help` for every subcommand alike.
struct Command {
    const char* name;
    const char* summary;
    const char* help;
    std::size_t minCount;
    std::size_t maxCount;
    int (*run)(const Arguments& args);
};

// Handles "--help" and a wrong argument count: returns true, with `status`
// set, when the command must not run.
bool HandleUsage(const Command& command, const Arguments& args, int& status);

// Prints the command's usage on standard error; returns kExitBadArguments.
int BadArguments(const char* help);

// Reports the failure (as ReportError does); returns kExitBadFile.
int Fail(const char* command, const std::string& message);

// Prints "velmora-content COMMAND: message" on standard error.
void ReportError(const char* command, const std::string& message);

// Makes `directory` the current one, as the program runs in its content
// directory; reports the failure and returns false when it cannot.
bool EnterContentDirectory(const char* command, const std::string& directory);

// The arguments "[--force] FROM TO" of export and build, --force anywhere.
bool ParseDirectoryPair(const Arguments& args, std::filesystem::path& from, std::filesystem::path& to, bool& force);

// Flushes the standard output (both std::cout and stdout) and tells whether
// everything written to it arrived; reports the failure when it did not.
// A command whose output is its result fails when this fails.
bool FinishStandardOutput(const char* command);

// The subcommands and their usage texts.
int RunDump(const Arguments& args);
extern const char* const kDumpHelp;
int RunPack(const Arguments& args);
extern const char* const kPackHelp;
int RunUnpack(const Arguments& args);
extern const char* const kUnpackHelp;
int RunScramble(const Arguments& args);
extern const char* const kScrambleHelp;
int RunUnscramble(const Arguments& args);
extern const char* const kUnscrambleHelp;
int RunCheck(const Arguments& args);
extern const char* const kCheckHelp;
int RunMakeDemo(const Arguments& args);
extern const char* const kMakeDemoHelp;
int RunExport(const Arguments& args);
extern const char* const kExportHelp;
int RunBuild(const Arguments& args);
extern const char* const kBuildHelp;
int RunResample(const Arguments& args);
extern const char* const kResampleHelp;
int RunTone(const Arguments& args);
extern const char* const kToneHelp;

}  // namespace velmora::tool
