#include "tools/ClipCheck.h"

#include <cstring>
#include <span>

#include "platform/SdlAudioOutput.h"
#include "sound/ClipFile.h"
#include "sound/WaveImage.h"

namespace velmora::tool {

std::string ClipProblem(std::vector<std::uint8_t> clip)
{
    if (clip.size() > kMaxClipFileSize)
        return "larger than the program reads";
    UnscrambleClip(std::span<std::uint8_t>(clip));
    if (clip.size() < 12 || std::memcmp(clip.data(), "RIFF", 4) != 0 || std::memcmp(clip.data() + 8, "WAVE", 4) != 0)
        return "not a WAVE image";
    WaveFormat format;
    std::string reason;
    if (!CheckWaveImage(clip, format, &reason))
        return "not a playable WAVE image: " + reason;
    if (!SdlAudioOutput::IsPlayable(clip.data(), clip.size(), &reason))
        return "not a playable WAVE image (format tag " + std::to_string(format.formatTag) + "): " + reason;
    return {};
}

}  // namespace velmora::tool
