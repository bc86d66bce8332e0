#include "tools/ClipScrambler.h"

#include <algorithm>
#include <cstring>

#include "sound/ClipPlayer.h"

namespace velmora::tool {

bool ScrambleClip(std::vector<std::uint8_t>& clip)
{
    if (clip.size() < 44 || std::memcmp(clip.data(), "RIFF", 4) != 0)
        return false;
    const std::size_t words = std::min<std::size_t>(100, (clip.size() - 4) / 4);
    for (std::size_t k = 1; k <= words; ++k) {
        const std::uint32_t key = static_cast<std::uint32_t>(k) + kClipKey;
        for (int b = 0; b < 4; ++b)
            clip[4 * k + b] ^= static_cast<std::uint8_t>(key >> (8 * b));
    }
    std::memcpy(clip.data(), "riff", 4);
    return true;
}

}  // namespace velmora::tool
