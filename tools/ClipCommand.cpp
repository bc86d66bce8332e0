// velmora-content scramble / unscramble: WAVE files to and from clip files.

#include <span>

#include "core/FileStream.h"
#include "sound/ClipFile.h"
#include "tools/ClipCheck.h"
#include "tools/Commands.h"
#include "tools/PictureFiles.h"

namespace velmora::tool {

namespace {

const char* kScrambleHelp =
    "usage: velmora-content scramble IN.wav OUT.cw\n"
    "Writes a WAVE file as a clip file that the program plays: its beginning\n"
    "scrambled. The input must be a RIFF file of at least 44 bytes.\n";

const char* kUnscrambleHelp =
    "usage: velmora-content unscramble IN.cw OUT.wav\n"
    "Restores the WAVE file of a clip file. A file that is not scrambled is\n"
    "written unchanged, as the program would play it.\n";

bool ReadInput(const char* command, const std::string& path, std::vector<std::uint8_t>& bytes)
{
    if (ReadWholeFile(path, bytes, kMaxClipFileSize))
        return true;
    ReportError(command, "cannot read " + path + ", or it is larger than a clip may be");
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

}  // namespace

int RunScramble(const Arguments& args)
{
    if (int status = 0; HandleUsage(args, 2, 2, kScrambleHelp, status))
        return status;
    std::vector<std::uint8_t> clip;
    if (!ReadInput("scramble", args[0], clip))
        return kExitBadFile;
    if (!ScrambleClip(clip)) {
        ReportError("scramble", args[0] + " is not a RIFF file of at least 44 bytes");
        return kExitBadFile;
    }
    return WriteOutput("scramble", args[1], clip) ? kExitOk : kExitBadFile;
}

int RunUnscramble(const Arguments& args)
{
    if (int status = 0; HandleUsage(args, 2, 2, kUnscrambleHelp, status))
        return status;
    std::vector<std::uint8_t> clip;
    if (!ReadInput("unscramble", args[0], clip))
        return kExitBadFile;
    UnscrambleClip(std::span<std::uint8_t>(clip));
    return WriteOutput("unscramble", args[1], clip) ? kExitOk : kExitBadFile;
}

}  // namespace velmora::tool
