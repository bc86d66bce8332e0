#include "platform/SdlAudioOutput.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <system_error>

#include "platform/SdlLibrary.h"
#include "sound/WaveImage.h"

namespace velmora {

namespace {

constexpr int kWantedRate = 48000;
constexpr int kDeviceChannels = 2;
constexpr Uint16 kBufferFrames = 512;  // about 10.7 ms at 48 kHz
// Longest sound accepted, so a header cannot make the conversion allocate
// without bound: ten minutes at the device rate.
constexpr std::uint64_t kMaxSeconds = 10 * 60;
// Rates outside these are refused. Above any real recording SDL's resampler
// overflows its sizes near the 32-bit limit; below any real recording a few
// bytes of samples would last minutes and convert to hundreds of megabytes
// at the device rate. Within them a clip's converted size stays a small
// multiple of its file's.
constexpr int kMinSourceRate = 4000;
constexpr int kMaxSourceRate = 384000;
// Silence fed after the clip so that the resampler hands out the clip's last
// frames on flushing (SDL 2.26 holds back about 23 ms when the rate changes).
constexpr int kPaddingMilliseconds = 100;
constexpr int kPutChunkBytes = 1 << 20;

struct WaveBufferDeleter {
    const SdlLibrary* sdl = nullptr;
    void operator()(Uint8* buffer) const { sdl->FreeWAV(buffer); }
};
using WaveBuffer = std::unique_ptr<Uint8, WaveBufferDeleter>;

struct ConversionStreamDeleter {
    const SdlLibrary* sdl = nullptr;
    void operator()(SDL_AudioStream* stream) const { sdl->FreeAudioStream(stream); }
};
using ConversionStream = std::unique_ptr<SDL_AudioStream, ConversionStreamDeleter>;

// A decoded WAVE image as SDL delivers it.
struct DecodedWave {
    SDL_AudioSpec audio{};
    WaveBuffer buffer;
    Uint32 length = 0;
};

bool Refuse(std::string* reason, std::string text)
{
    if (reason != nullptr)
        *reason = std::move(text);
    return false;
}

// SDL's own words for why the last call failed.
bool RefuseWithSdlError(const SdlLibrary& sdl, std::string* reason, const char* what)
{
    return Refuse(reason, std::string(what) + ": " + sdl.GetError());
}

bool DecodeWave(const SdlLibrary& sdl, const std::uint8_t* image, std::size_t size, DecodedWave& wave,
                std::string* reason)
{
    WaveFormat format;
    if (size > INT_MAX)
        return Refuse(reason, "larger than SDL reads");
    if (!CheckWaveImage({image, size}, format, reason))
        return false;
    if (format.samplesPerSecond < kMinSourceRate || format.samplesPerSecond > kMaxSourceRate)
        return Refuse(reason, "sample rate " + std::to_string(format.samplesPerSecond) + " Hz is outside " +
                                  std::to_string(kMinSourceRate) + " to " + std::to_string(kMaxSourceRate) + " Hz");
    SDL_RWops* source = sdl.RWFromConstMem(image, static_cast<int>(size));
    if (source == nullptr)
        return RefuseWithSdlError(sdl, reason, "SDL cannot read it");
    Uint8* buffer = nullptr;
    if (sdl.LoadWAV_RW(source, 1, &wave.audio, &buffer, &wave.length) == nullptr)
        return RefuseWithSdlError(sdl, reason, "SDL refuses it");
    wave.buffer = WaveBuffer(buffer, WaveBufferDeleter{&sdl});
    return true;
}

bool PutInChunks(const SdlLibrary& sdl, SDL_AudioStream* stream, const Uint8* bytes, std::size_t size)
{
    while (size > 0) {
        const int chunk = static_cast<int>(std::min<std::size_t>(size, kPutChunkBytes));
        if (sdl.AudioStreamPut(stream, bytes, chunk) != 0)
            return false;
        bytes += chunk;
        size -= static_cast<std::size_t>(chunk);
    }
    return true;
}

bool PutSilence(const SdlLibrary& sdl, SDL_AudioStream* stream, const SDL_AudioSpec& audio, std::size_t frameBytes)
{
    const std::size_t frames = static_cast<std::size_t>(audio.freq) * kPaddingMilliseconds / 1000 + 1;
    const Uint8 silence = audio.format == AUDIO_U8 ? 0x80 : 0x00;
    const std::vector<Uint8> padding(frames * frameBytes, silence);
    return PutInChunks(sdl, stream, padding.data(), padding.size());
}

// Converts decoded samples to interleaved signed 16-bit stereo at `rate`,
// exactly as many frames as the sound lasts. False when there is nothing to
// play or the sound is too long.
bool ConvertToDevice(const SdlLibrary& sdl, const DecodedWave& wave, int rate, std::vector<std::int16_t>& samples,
                     std::string* reason)
{
    const std::size_t frameBytes = SDL_AUDIO_BITSIZE(wave.audio.format) / 8 * wave.audio.channels;
    if (frameBytes == 0)
        return Refuse(reason, "SDL decoded no sample format");
    // SDL decodes some formats (ADPCM) at a rate of their own: it is checked
    // again as decoded.
    if (wave.audio.freq < kMinSourceRate || wave.audio.freq > kMaxSourceRate)
        return Refuse(reason, "decoded sample rate " + std::to_string(wave.audio.freq) + " Hz is outside " +
                                  std::to_string(kMinSourceRate) + " to " + std::to_string(kMaxSourceRate) + " Hz");
    const std::uint64_t frames = wave.length / frameBytes;
    const std::uint64_t sourceRate = static_cast<std::uint64_t>(wave.audio.freq);
    if (frames == 0)
        return Refuse(reason, "there is no sound");
    if (frames > kMaxSeconds * sourceRate)
        return Refuse(reason, "the sound lasts longer than " + std::to_string(kMaxSeconds / 60) + " minutes");
    const std::uint64_t wantedFrames = (frames * static_cast<std::uint64_t>(rate) + sourceRate - 1) / sourceRate;

    ConversionStream stream(sdl.NewAudioStream(wave.audio.format, wave.audio.channels, wave.audio.freq, AUDIO_S16SYS,
                                               kDeviceChannels, rate),
                            ConversionStreamDeleter{&sdl});
    if (!stream || !PutInChunks(sdl, stream.get(), wave.buffer.get(), frames * frameBytes) ||
        !PutSilence(sdl, stream.get(), wave.audio, frameBytes) || sdl.AudioStreamFlush(stream.get()) != 0)
        return RefuseWithSdlError(sdl, reason, "SDL cannot convert it");

    const std::uint64_t available = static_cast<std::uint64_t>(sdl.AudioStreamAvailable(stream.get()));
    const std::size_t outFrames = std::min(wantedFrames, available / (kDeviceChannels * sizeof(std::int16_t)));
    samples.resize(outFrames * kDeviceChannels);
    const int bytes = static_cast<int>(samples.size() * sizeof(std::int16_t));
    if (outFrames == 0)
        return Refuse(reason, "the conversion gave no sound");
    if (sdl.AudioStreamGet(stream.get(), samples.data(), bytes) != bytes)
        return RefuseWithSdlError(sdl, reason, "SDL cannot convert it");
    return true;
}

std::int16_t Scale(std::int16_t sample, std::uint32_t level)
{
    return static_cast<std::int16_t>(static_cast<std::int32_t>(sample) * static_cast<std::int32_t>(level) / 0xFFFF);
}

std::int64_t NowTicks()
{
    return std::chrono::steady_clock::now().time_since_epoch().count();
}

}  // namespace

SdlAudioOutput::SdlAudioOutput(Opening opening)
{
    if (opening == Opening::AtOnce)
        StartOpening();
}

void SdlAudioOutput::StartOpening()
{
    if (openingStarted_)
        return;
    openingStarted_ = true;
    try {
        // Not a background priority: SDL's audio thread, started from here,
        // takes this thread's.
        opened_ = std::async(std::launch::async, [this] {
                      Open();
                      // SDL keeps per-thread data (its error text) for every
                      // thread that calls it, and frees it by itself only for
                      // threads it started.
                      if (sdl_ != nullptr)
                          sdl_->TLSCleanup();
                  }).share();
    } catch (const std::system_error&) {
        // No thread to be had: opened here and now, with nothing to wait for.
        Open();
    }
}

void SdlAudioOutput::Open()
{
    sdl_ = SdlLibrary::Get();
    if (sdl_ == nullptr)
        return;
    // The program has its own event loop; SDL must not take over SIGINT.
    sdl_->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (sdl_->InitSubSystem(SDL_INIT_AUDIO) != 0)
        return;
    SDL_AudioSpec wanted{};
    wanted.freq = kWantedRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = kDeviceChannels;
    wanted.samples = kBufferFrames;
    wanted.callback = &SdlAudioOutput::MixCallback;
    wanted.userdata = this;
    SDL_AudioSpec obtained{};
    const SDL_AudioDeviceID device =
        sdl_->OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (device == 0) {
        sdl_->QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    device_ = device;
    rate_ = obtained.freq;
    bufferFrames_ = obtained.samples;
    // The device runs for the whole lifetime, so a new sound starts with the
    // next buffer instead of waiting for the device to wake up.
    sdl_->PauseAudioDevice(device_, 0);
}

void SdlAudioOutput::AwaitOpening() const
{
    if (!openingStarted_)
        // Asked before anything started it: the device is wanted now. The
        // device is the output's lazily made state, and no output is made
        // const, so starting it from a question is sound.
        const_cast<SdlAudioOutput*>(this)->StartOpening();
    if (opened_.valid())
        opened_.wait();
}

SdlAudioOutput::~SdlAudioOutput()
{
    // Never opens a device only to close it.
    if (opened_.valid())
        opened_.wait();
    if (device_ == 0)
        return;
    sdl_->CloseAudioDevice(device_);
    sdl_->QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudioOutput::IsAvailable() const
{
    AwaitOpening();
    return device_ != 0;
}

int SdlAudioOutput::DeviceRate() const
{
    AwaitOpening();
    return rate_;
}

int SdlAudioOutput::BufferFrames() const
{
    AwaitOpening();
    return bufferFrames_;
}

bool SdlAudioOutput::Play(const std::uint8_t* image, std::size_t size)
{
    Stop();
    if (!IsAvailable() || image == nullptr)
        return false;
    DecodedWave wave;
    std::vector<std::int16_t> samples;
    if (!DecodeWave(*sdl_, image, size, wave, nullptr) || !ConvertToDevice(*sdl_, wave, rate_, samples, nullptr))
        return false;
    Start(std::move(samples));
    return true;
}

bool SdlAudioOutput::IsPlayable(const std::uint8_t* image, std::size_t size, std::string* reason)
{
    if (image == nullptr)
        return Refuse(reason, "no image");
    std::string problem;
    const SdlLibrary* sdl = SdlLibrary::Get(&problem);
    if (sdl == nullptr)
        return Refuse(reason, "SDL cannot be opened: " + problem);
    DecodedWave wave;
    std::vector<std::int16_t> samples;
    return DecodeWave(*sdl, image, size, wave, reason) && ConvertToDevice(*sdl, wave, kWantedRate, samples, reason);
}

bool SdlAudioOutput::PlayIfIdle(const std::uint8_t* image, std::size_t size)
{
    // Only the audio thread changes playing to idle, never the other way,
    // so the answer cannot go stale before Play starts the sound.
    if (IsPlaying())
        return false;
    Play(image, size);
    return true;
}

void SdlAudioOutput::Start(std::vector<std::int16_t> samples)
{
    // The previous sound's samples leave with `samples` after the lock is
    // released, so the audio thread never waits for a deallocation.
    std::lock_guard lock(mutex_);
    samples_.swap(samples);
    position_ = 0;
    playing_ = true;
    firstSoundTicks_ = 0;
}

void SdlAudioOutput::Stop()
{
    std::lock_guard lock(mutex_);
    playing_ = false;
}

bool SdlAudioOutput::IsPlaying() const
{
    std::lock_guard lock(mutex_);
    return playing_;
}

bool SdlAudioOutput::IsOpening() const
{
    return !openingStarted_ ||
           (opened_.valid() && opened_.wait_for(std::chrono::seconds(0)) != std::future_status::ready);
}

bool SdlAudioOutput::GetVolume(std::uint32_t& volume) const
{
    if (!IsOpening() && !IsAvailable())
        return false;
    std::lock_guard lock(mutex_);
    volume = volume_;
    return true;
}

void SdlAudioOutput::SetVolume(std::uint32_t volume)
{
    std::lock_guard lock(mutex_);
    volume_ = volume;
}

std::optional<std::chrono::steady_clock::time_point> SdlAudioOutput::FirstSoundTime() const
{
    std::lock_guard lock(mutex_);
    const std::int64_t ticks = firstSoundTicks_;
    if (ticks == 0)
        return std::nullopt;
    return std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(ticks));
}

void SdlAudioOutput::MixCallback(void* self, std::uint8_t* stream, int length) noexcept
{
    const std::size_t count = static_cast<std::size_t>(length) / sizeof(std::int16_t);
    try {
        static_cast<SdlAudioOutput*>(self)->Mix(reinterpret_cast<std::int16_t*>(stream), count);
    } catch (...) {
        std::memset(stream, 0, static_cast<std::size_t>(length));
    }
}

void SdlAudioOutput::Mix(std::int16_t* out, std::size_t count)
{
    std::size_t mixed = 0;
    {
        std::lock_guard lock(mutex_);
        if (playing_) {
            mixed = std::min(count, samples_.size() - position_);
            const std::uint32_t left = volume_ & 0xFFFF;
            const std::uint32_t right = volume_ >> 16;
            // position_ stays even: every buffer holds whole stereo frames.
            for (std::size_t i = 0; i < mixed; ++i)
                out[i] = Scale(samples_[position_ + i], (i & 1) ? right : left);
            position_ += mixed;
            playing_ = position_ < samples_.size();
            NoteFirstSound(out, mixed);
        }
    }
    std::fill(out + mixed, out + count, std::int16_t{0});
}

void SdlAudioOutput::NoteFirstSound(const std::int16_t* out, std::size_t count)
{
    if (firstSoundTicks_ != 0)
        return;
    if (std::any_of(out, out + count, [](std::int16_t sample) { return sample != 0; }))
        firstSoundTicks_ = NowTicks();
}

}  // namespace velmora
