#include "app/RememberedVolume.h"

#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>

// The messages name the first-start level; keep them in step.
static_assert(velmora::app::RememberedVolume::kFirstStartPercentage == 60);

namespace velmora::app {
namespace {

const QString kVolumeKey = QStringLiteral("volume");
constexpr std::uint32_t kFull = 0xFFFF;

// The percentage a device volume reads as, rounded to the nearest: the
// truncating reading would lose one per start (50 % is written as 0x7FFF,
// which truncates to 49).
int NearestPercentage(std::uint32_t volume)
{
    const std::uint32_t mean = ((volume & kFull) + (volume >> 16)) / 2;
    return static_cast<int>((mean * 100 + kFull / 2) / kFull);
}

// The smallest channel level that reads back as `percentage`, truncated.
std::uint32_t LevelReadingAs(int percentage)
{
    return (static_cast<std::uint32_t>(percentage) * kFull + 99) / 100;
}

}  // namespace

RememberedVolume::RememberedVolume(AudioOutput& output, const QString& configFile)
    : output_(output), settings_(configFile, QSettings::IniFormat)
{
    const std::uint32_t level = LevelReadingAs(StoredPercentage());
    output_.SetVolume(level | level << 16);
}

QString RememberedVolume::DefaultConfigFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/velmora/velmora.conf");
}

int RememberedVolume::StoredPercentage()
{
    if (settings_.status() == QSettings::AccessError) {
        Complain("cannot be read; the volume starts at 60 %");
        return kFirstStartPercentage;
    }
    if (!QFileInfo::exists(settings_.fileName()))
        return kFirstStartPercentage;
    bool isNumber = false;
    const int percentage = settings_.value(kVolumeKey).toString().toInt(&isNumber);
    if (settings_.status() == QSettings::FormatError || !isNumber || percentage < 0 || percentage > 100) {
        Complain("is corrupt (no volume from 0 to 100); the volume starts at 60 %");
        return kFirstStartPercentage;
    }
    return percentage;
}

void RememberedVolume::SetVolume(std::uint32_t volume)
{
    output_.SetVolume(volume);
    // Every start writes back the volume it read; the file stays as it is
    // then, rather than be replaced and waited for on the disk.
    const int percentage = NearestPercentage(volume);
    bool isNumber = false;
    if (settings_.value(kVolumeKey).toString().toInt(&isNumber) == percentage && isNumber)
        return;
    settings_.setValue(kVolumeKey, percentage);
    settings_.sync();
    if (settings_.status() != QSettings::NoError)
        Complain("cannot be written; the volume will not be remembered");
}

void RememberedVolume::Complain(const char* why)
{
    if (complained_)
        return;
    complained_ = true;
    std::fprintf(stderr, "velmora: the configuration file %s %s\n",
                 QFileInfo(settings_.fileName()).absoluteFilePath().toLocal8Bit().constData(), why);
}

}  // namespace velmora::app
