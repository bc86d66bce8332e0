#pragma once

#include <QSettings>
#include <QString>

#include <cstdint>

#include "sound/AudioOutput.h"

namespace velmora::app {

// The output volume kept in the user's configuration as a device keeps its
// own: restored on the wrapped output when this is built, written back on
// every change. The volume is stored as the percentage the volume control
// shows, and restored so that it reads back as that same percentage. A
// configuration that cannot be read, is corrupt or cannot be written never
// stops the program: the volume then starts at kFirstStartPercentage, and
// the reason is said once on standard error.
class RememberedVolume final : public AudioOutput {
public:
    // A safe level for children in headphones.
    static constexpr int kFirstStartPercentage = 60;

    RememberedVolume(AudioOutput& output, const QString& configFile);

    // The configuration file in the user's XDG configuration folder.
    static QString DefaultConfigFile();

    bool Play(const std::uint8_t* image, std::size_t size) override { return output_.Play(image, size); }
    bool PlayIfIdle(const std::uint8_t* image, std::size_t size) override { return output_.PlayIfIdle(image, size); }
    void Stop() override { output_.Stop(); }
    bool IsPlaying() const override { return output_.IsPlaying(); }
    bool IsAvailable() const override { return output_.IsAvailable(); }
    bool IsOpening() const override { return output_.IsOpening(); }
    bool GetVolume(std::uint32_t& volume) const override { return output_.GetVolume(volume); }
    void SetVolume(std::uint32_t volume) override;

private:
    int StoredPercentage();
    void Complain(const char* why);

    AudioOutput& output_;
    QSettings settings_;
    bool complained_ = false;
};

}  // namespace velmora::app
