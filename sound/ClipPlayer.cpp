#include "sound/ClipPlayer.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "content/ContentSet.h"
#include "core/FileStream.h"
#include "core/ContentPath.h"

namespace velmora {

namespace {

constexpr std::size_t kMinScrambledSize = 44;
constexpr std::size_t kMaxScrambledWords = 100;

std::uint32_t LoadWord(const std::uint8_t* bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void StoreWord(std::uint8_t* bytes, std::uint32_t word)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<std::uint8_t>(word >> (8 * i));
}

std::uint32_t BothChannels(std::uint16_t level)
{
    return static_cast<std::uint32_t>(level) | static_cast<std::uint32_t>(level) << 16;
}

}  // namespace

void UnscrambleClip(std::span<std::uint8_t> clip)
{
    if (clip.size() < kMinScrambledSize || std::memcmp(clip.data(), "riff", 4) != 0)
        return;
    const std::size_t words = std::min(kMaxScrambledWords, (clip.size() - 4) / 4);
    for (std::size_t k = 1; k <= words; ++k) {
        std::uint8_t* word = clip.data() + 4 * k;
        StoreWord(word, LoadWord(word) ^ (static_cast<std::uint32_t>(k) + kClipKey));
    }
    std::memcpy(clip.data(), "RIFF", 4);
}

bool ItemSoundExists(const ContentItem& item)
{
    return ContentFileExists(SoundClipPath(item));
}

bool LoadClip(const ContentItem& item, std::vector<std::uint8_t>& clip)
{
    if (!ReadWholeFile(ResolveContentPath(SoundClipPath(item)), clip, kMaxClipFileSize))
        return false;
    UnscrambleClip(clip);
    return true;
}

ClipPlayer::~ClipPlayer()
{
    StopAndReleaseClip();
}

void ClipPlayer::PlayItemSound(const ContentItem* item)
{
    if (item == nullptr)
        return;
    StopSound();
    if (!ItemSoundExists(*item))
        return;
    // The old buffer goes only now, after the stop above.
    currentClip_.reset();
    currentClip_.emplace();
    try {
        if (LoadClip(*item, *currentClip_))
            output_.Play(currentClip_->data(), currentClip_->size());
    } catch (...) {
        // Sound failures are silent: nothing plays.
    }
}

void ClipPlayer::StopSound()
{
    output_.Stop();
}

bool ClipPlayer::IsSoundPlaying()
{
    const bool probeStarted = output_.PlayIfIdle(kProbeClip.data(), kProbeClip.size());
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return !probeStarted;
}

void ClipPlayer::ReadVolume(std::int32_t& percentage)
{
    std::uint32_t volume = 0;
    volumeAvailable_ = output_.GetVolume(volume);
    if (!volumeAvailable_) {
        percentage = 0;
        return;
    }
    const std::uint32_t left = volume & 0xFFFF;
    const std::uint32_t right = volume >> 16;
    percentage = static_cast<std::int32_t>((left + right) / 2 * 100 / 65535);
}

void ClipPlayer::SetVolume(std::int32_t percentage)
{
    // 64-bit, so that a percentage far outside 0-100 cannot overflow.
    const std::int64_t level = static_cast<std::int64_t>(percentage) * 65535 / 100;
    output_.SetVolume(BothChannels(static_cast<std::uint16_t>(level)));
}

void ClipPlayer::StopAndReleaseClip()
{
    StopSound();
    currentClip_.reset();
}

const std::vector<std::uint8_t>* ClipPlayer::CurrentClip() const
{
    return currentClip_ ? &*currentClip_ : nullptr;
}

}  // namespace velmora
