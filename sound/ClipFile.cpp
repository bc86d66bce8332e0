#include "sound/ClipFile.h"

#include <algorithm>
#include <cstring>

#include "core/ContentPath.h"
#include "core/FileStream.h"
#include "core/LittleEndian.h"

namespace velmora {

namespace {

// XORs the scrambled words with their keys; the same step scrambles and
// unscrambles.
void ToggleScrambledWords(std::span<std::uint8_t> clip)
{
    const std::size_t words = std::min(kMaxScrambledWords, (clip.size() - 4) / 4);
    for (std::size_t k = 1; k <= words; ++k) {
        std::uint8_t* word = clip.data() + 4 * k;
        StoreLittle32(word, ReadLittle32(word) ^ (static_cast<std::uint32_t>(k) + kClipKey));
    }
}

}  // namespace

void UnscrambleClip(std::span<std::uint8_t> clip)
{
    if (clip.size() < kMinScrambledSize || std::memcmp(clip.data(), "riff", 4) != 0)
        return;
    ToggleScrambledWords(clip);
    std::memcpy(clip.data(), "RIFF", 4);
}

bool ScrambleClip(std::vector<std::uint8_t>& clip)
{
    if (clip.size() < kMinScrambledSize || std::memcmp(clip.data(), "RIFF", 4) != 0)
        return false;
    ToggleScrambledWords(clip);
    std::memcpy(clip.data(), "riff", 4);
    return true;
}

bool LoadClip(const std::string& contentPath, std::vector<std::uint8_t>& clip)
{
    if (!ReadWholeFile(ResolveContentPath(contentPath), clip, kMaxClipFileSize))
        return false;
    UnscrambleClip(clip);
    return true;
}

}  // namespace velmora
