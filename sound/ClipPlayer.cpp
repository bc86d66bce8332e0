#include "sound/ClipPlayer.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "core/ContentPath.h"
#include "sound/ClipFile.h"

namespace velmora {

namespace {

std::uint32_t BothChannels(std::uint16_t level)
{
    return static_cast<std::uint32_t>(level) | static_cast<std::uint32_t>(level) << 16;
}

}  // namespace

ClipPlayer::~ClipPlayer()
{
    StopAndReleaseClip();
}

void ClipPlayer::PlayClip(const std::string& clipPath)
{
    if (clipPath.empty())
        return;
    StopSound();
    if (!ContentFileExists(clipPath))
        return;
    // The old buffer goes only now, after the stop above.
    currentClip_.reset();
    currentClip_.emplace();
    try {
        if (LoadClip(clipPath, *currentClip_))
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
    // Outside 0-100 the level would wrap in 16 bits: 101 % to near silence.
    const std::int32_t clamped = std::clamp<std::int32_t>(percentage, 0, 100);
    const std::int32_t level = clamped * 65535 / 100;
    output_.SetVolume(BothChannels(static_cast<std::uint16_t>(level)));
}

void ClipPlayer::StopAndReleaseClip()
{
    StopSound();
    currentClip_.reset();
}

}  // namespace velmora
