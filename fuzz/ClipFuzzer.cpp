// Clip handling on arbitrary bytes: unscrambling, the WAVE chunk check and
// the audio output's decoding and conversion, with no audio device.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/SdlAudioOutput.h"
#include "sound/ClipFile.h"
#include "sound/WaveImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> clip(data, data + size);
    velmora::UnscrambleClip(std::span<std::uint8_t>(clip));
    velmora::WaveFormat format;
    velmora::CheckWaveImage(clip, format);
    velmora::SdlAudioOutput::IsPlayable(clip.data(), clip.size());
    return 0;
}
