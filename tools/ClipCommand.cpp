// velmora-content scramble / unscramble: WAVE files to and from clip files.

#include <span>

#include "core/FileStream.h"
#include "sound/ClipFile.h"
#include "tools/ClipCheck.h"
#include "tools/Commands.h"

namespace velmora::tool {

namespace {

bool ReadInput(const char* command, const std::string& path, std::vector<std::uint8_t>& bytes)
{
    LoadError error = LoadError::None;
    if (ReadWholeFile(path, bytes, kMaxClipFileSize, &error, FileKinds::Any))
        return true;
    ReportError(command,
                path + ": " +
                    (error == LoadError::TooLarge ? "larger than a clip may be (128 MiB)" : LoadErrorText(error)));
    return false;
}

bool WriteOutput(const char* command, const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::string error;
    if (WriteBytes(path, bytes.data(), bytes.size(), error))
        return true;
    ReportError(command, error);
    return false;
}

// Reads the input file, converts it in place and writes the output file;
// `convert` reports its own failure and answers false.
template <typename Convert>
int ConvertClip(const char* command, const Arguments& args, Convert convert)
{
    std::vector<std::uint8_t> clip;
    if (!ReadInput(command, args[0], clip) || !convert(clip))
        return kExitBadFile;
    return WriteOutput(command, args[1], clip) ? kExitOk : kExitBadFile;
}

}  // namespace

const char* const kScrambleHelp = "usage: velmora-content scramble IN.wav OUT.cw\n"
                                  "Writes a WAVE file as a clip file that the program plays: its beginning\n"
                                  "scrambled. The input must be a RIFF file of at least 44 bytes.\n";

const char* const kUnscrambleHelp = "usage: velmora-content unscramble IN.cw OUT.wav\n"
                                    "Restores the WAVE file of a clip file. A file that is not scrambled is\n"
                                    "written unchanged, as the program would play it.\n";

int RunScramble(const Arguments& args)
{
    return ConvertClip("scramble", args, [&](std::vector<std::uint8_t>& clip) {
        if (ScrambleClip(clip))
            return true;
        ReportError("scramble", args[0] + " is not a RIFF file of at least 44 bytes");
        return false;
    });
}

int RunUnscramble(const Arguments& args)
{
    return ConvertClip("unscramble", args, [](std::vector<std::uint8_t>& clip) {
        UnscrambleClip(std::span<std::uint8_t>(clip));
        return true;
    });
}

}  // namespace velmora::tool
