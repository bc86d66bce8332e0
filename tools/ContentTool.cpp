// velmora-content: inspects, converts and generates Velmora content.

#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

#include "tools/Commands.h"

namespace {

using namespace velmora::tool;

// Name, line in the usage, usage text, fewest and most arguments, runner.
const Command kCommands[] = {
    {"dump", "dump DIR: print the content of DIR/menl.dat as JSON", kDumpHelp, 1, 1, RunDump},
    {"pack", "pack IN.png OUT.tbb: pack a picture", kPackHelp, 2, 2, RunPack},
    {"unpack", "unpack IN.tbb OUT.png: unpack a picture", kUnpackHelp, 2, 2, RunUnpack},
    {"scramble", "scramble IN.wav OUT.cw: make a clip file of a WAVE file", kScrambleHelp, 2, 2, RunScramble},
    {"unscramble", "unscramble IN.cw OUT.wav: restore the WAVE file of a clip", kUnscrambleHelp, 2, 2, RunUnscramble},
    {"check", "check DIR: list everything wrong with a content directory", kCheckHelp, 1, 1, RunCheck},
    {"export", "export [--force] CONTENT_DIR SOURCE_DIR: write content as ordinary files", kExportHelp, 2, 3,
     RunExport},
    {"build", "build [--force] SOURCE_DIR CONTENT_DIR: make content of ordinary files", kBuildHelp, 2, 3, RunBuild},
    {"make-demo", "make-demo OUT_DIR: write the demo content set", kMakeDemoHelp, 1, 5, RunMakeDemo},
    {"resample", "resample IN.ppm W H OUT.ppm: scale a picture as the program does", kResampleHelp, 4, 4, RunResample},
    {"tone", "tone AMOUNT IN.ppm OUT.ppm: darken or lighten a picture", kToneHelp, 3, 3, RunTone},
};

void PrintUsage(std::FILE* out)
{
    std::fprintf(out, "usage: velmora-content COMMAND ARGS...\n\ncommands:\n");
    for (const Command& command : kCommands)
        std::fprintf(out, "  %s\n", command.summary);
    std::fprintf(out, "\n'velmora-content COMMAND --help' describes one command.\n");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        PrintUsage(stderr);
        return kExitBadArguments;
    }
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(stdout);
        return kExitOk;
    }
    for (const Command& command : kCommands) {
        if (command.name != name)
            continue;
        const Arguments args(argv + 2, argv + argc);
        if (int status = 0; HandleUsage(command, args, status))
            return status;
        try {
            return command.run(args);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "velmora-content %s: %s\n", argv[1], error.what());
            return kExitBadFile;
        }
    }
    std::fprintf(stderr, "velmora-content: unknown command '%s'\n\n", argv[1]);
    PrintUsage(stderr);
    return kExitBadArguments;
}
