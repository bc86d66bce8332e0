// velmora-content: inspects, converts and generates Velmora content.

#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

#include "tools/Commands.h"

namespace {

struct Subcommand {
    std::string_view name;
    std::string_view summary;
    int (*run)(const velmora::tool::Arguments&);
};

constexpr Subcommand kSubcommands[] = {
    {"dump", "dump DIR: print the content of DIR/menl.dat as JSON", velmora::tool::RunDump},
    {"pack", "pack IN.png OUT.tbb: pack a picture", velmora::tool::RunPack},
    {"unpack", "unpack IN.tbb OUT.png: unpack a picture", velmora::tool::RunUnpack},
    {"scramble", "scramble IN.wav OUT.cw: make a clip file of a WAVE file", velmora::tool::RunScramble},
    {"unscramble", "unscramble IN.cw OUT.wav: restore the WAVE file of a clip", velmora::tool::RunUnscramble},
    {"check", "check DIR: list everything wrong with a content directory", velmora::tool::RunCheck},
    {"make-demo", "make-demo OUT_DIR: write the demo content set", velmora::tool::RunMakeDemo},
    {"resample", "resample IN.ppm W H OUT.ppm: scale a picture as the program does", velmora::tool::RunResample},
    {"tone", "tone AMOUNT IN.ppm OUT.ppm: darken or lighten a picture", velmora::tool::RunTone},
};

void PrintUsage(std::FILE* out)
{
    std::fprintf(out, "usage: velmora-content COMMAND ARGS...\n\ncommands:\n");
    for (const Subcommand& command : kSubcommands)
        std::fprintf(out, "  %.*s\n", static_cast<int>(command.summary.size()), command.summary.data());
    std::fprintf(out, "\n'velmora-content COMMAND --help' describes one command.\n");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        PrintUsage(stderr);
        return 2;
    }
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(stdout);
        return 0;
    }
    for (const Subcommand& command : kSubcommands) {
        if (command.name != name)
            continue;
        try {
            return command.run(velmora::tool::Arguments(argv + 2, argv + argc));
        } catch (const std::exception& error) {
            std::fprintf(stderr, "velmora-content %s: %s\n", argv[1], error.what());
            return 1;
        }
    }
    std::fprintf(stderr, "velmora-content: unknown command '%s'\n\n", argv[1]);
    PrintUsage(stderr);
    return 2;
}
