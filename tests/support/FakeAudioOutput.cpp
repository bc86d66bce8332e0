#include "support/FakeAudioOutput.h"

namespace velmora::test {

bool FakeAudioOutput::Play(const std::uint8_t* image, std::size_t size)
{
    played_.emplace_back(image, image + size);
    playing_ = available_;
    return available_;
}

bool FakeAudioOutput::PlayIfIdle(const std::uint8_t*, std::size_t)
{
    ++probes_;
    if (playing_)
        return false;
    // The probe's few silent samples are over long before anyone asks again.
    ++idleProbes_;
    return true;
}

void FakeAudioOutput::Stop()
{
    ++stops_;
    playing_ = false;
}

bool FakeAudioOutput::GetVolume(std::uint32_t& volume) const
{
    if (!available_ && !opening_)
        return false;
    volume = volume_;
    return true;
}

void FakeAudioOutput::SetVolume(std::uint32_t volume)
{
    volume_ = volume;
}

}  // namespace velmora::test
