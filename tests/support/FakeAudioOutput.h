#pragma once

#include <cstdint>
#include <vector>

#include "sound/AudioOutput.h"

namespace velmora::test {

// An audio output that plays nothing and records what it was asked to do.
// A started sound stays "playing" until the test ends it (FinishPlaying) or
// the code under test stops it, so tests decide when a clip is over.
class FakeAudioOutput final : public AudioOutput {
public:
    bool Play(const std::uint8_t* image, std::size_t size) override;
    bool PlayIfIdle(const std::uint8_t* image, std::size_t size) override;
    void Stop() override;
    bool IsPlaying() const override { return playing_; }
    bool IsAvailable() const override { return available_; }
    bool IsOpening() const override { return opening_; }
    bool GetVolume(std::uint32_t& volume) const override;
    void SetVolume(std::uint32_t volume) override;

    void SetAvailable(bool available) { available_ = available; }
    // While opening, the volume reads as set, whether available or not.
    void SetOpening(bool opening) { opening_ = opening; }
    void FinishPlaying() { playing_ = false; }

    // Every image given to Play, in order, as copies.
    const std::vector<std::vector<std::uint8_t>>& Played() const { return played_; }
    int StopCount() const { return stops_; }
    // Calls of PlayIfIdle, and how many of them found the output idle.
    int ProbeCount() const { return probes_; }
    int IdleProbeCount() const { return idleProbes_; }
    // The value last written with SetVolume; the volume at start is full.
    std::uint32_t Volume() const { return volume_; }
    void SetDeviceVolume(std::uint32_t volume) { volume_ = volume; }

private:
    bool available_ = true;
    bool opening_ = false;
    bool playing_ = false;
    std::vector<std::vector<std::uint8_t>> played_;
    int stops_ = 0;
    int probes_ = 0;
    int idleProbes_ = 0;
    std::uint32_t volume_ = 0xFFFFFFFF;
};

}  // namespace velmora::test
