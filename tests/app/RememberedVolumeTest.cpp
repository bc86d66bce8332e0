#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <string>

#include "app/RememberedVolume.h"
#include "sound/ClipPlayer.h"
#include "support/FakeAudioOutput.h"
#include "support/GuiApplication.h"

namespace velmora::app {
namespace {

// The volume control's position as the main window reads it at start, with
// a fresh device under a fresh program on the configuration file.
int PositionAtStart(const QString& file, std::string* saidOnStderr = nullptr)
{
    test::FakeAudioOutput device;
    testing::internal::CaptureStderr();
    RememberedVolume volume(device, file);
    const std::string said = testing::internal::GetCapturedStderr();
    if (saidOnStderr != nullptr)
        *saidOnStderr = said;
    ClipPlayer player(volume);
    std::int32_t percentage = -1;
    player.ReadVolume(percentage);
    return percentage;
}

struct Fixture : testing::Test {
    Fixture() { test::GuiApplication(); }
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("config/velmora.conf"));
};

using RememberedVolumeTest = Fixture;

TEST_F(RememberedVolumeTest, TheFirstStartIsAtSixtyAndSaysNothing)
{
    std::string said;
    EXPECT_EQ(PositionAtStart(file, &said), 60);
    EXPECT_EQ(said, "");
}

// Set, quit, start again: the same position, every time, with no drift from
// the truncating reading.
TEST_F(RememberedVolumeTest, APositionSetComesBackAtEveryStart)
{
    for (const int position : {0, 1, 2, 49, 50, 51, 60, 98, 99, 100}) {
        {
            test::FakeAudioOutput device;
            RememberedVolume volume(device, file);
            ClipPlayer(volume).SetVolume(position);
        }
        for (int start = 0; start < 3; ++start) {
            // The window writes back what it read, as a user's move does.
            test::FakeAudioOutput device;
            RememberedVolume volume(device, file);
            ClipPlayer player(volume);
            std::int32_t read = -1;
            player.ReadVolume(read);
            ASSERT_EQ(read, position) << "start " << start;
            player.SetVolume(read);
        }
    }
}

// Every start writes back the volume it read (as a user's move does); that
// must not replace the file, and wait for the disk, each time.
TEST_F(RememberedVolumeTest, WritingBackTheStoredVolumeLeavesTheFileAlone)
{
    {
        test::FakeAudioOutput device;
        RememberedVolume volume(device, file);
        ClipPlayer(volume).SetVolume(50);
    }
    struct stat before {};
    ASSERT_EQ(::stat(file.toLocal8Bit().constData(), &before), 0);
    {
        test::FakeAudioOutput device;
        RememberedVolume volume(device, file);
        ClipPlayer player(volume);
        std::int32_t read = -1;
        player.ReadVolume(read);
        player.SetVolume(read);
    }
    struct stat after {};
    ASSERT_EQ(::stat(file.toLocal8Bit().constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the file was written anew";
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_EQ(PositionAtStart(file), 50);
}

// Whatever is wrong with the file, the program starts at 60 % and says why
// once.
TEST_F(RememberedVolumeTest, ABadConfigurationStartsAtSixtyAndSaysWhy)
{
    struct Row {
        const char* what;
        QByteArray content;  // empty: a folder stands where the file should be
        const char* why;
    };
    const Row rows[] = {
        {"out of range", "[General]\nvolume=250\n", "is corrupt"},
        {"negative", "[General]\nvolume=-1\n", "is corrupt"},
        {"not a number", "[General]\nvolume=loud\n", "is corrupt"},
        {"garbage", QByteArray("\x00\xff\xfe[[[\x01=\n=", 10), "is corrupt"},
        {"unclosed section", "[General\nvolume=50\n", "is corrupt"},
        {"no volume", "[General]\n", "is corrupt"},
        {"a folder", "", "cannot be read"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.filePath(QStringLiteral("config")));
        if (row.content.isEmpty()) {
            QDir().mkpath(file);
        } else {
            QFile out(file);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(row.content);
        }
        std::string said;
        EXPECT_EQ(PositionAtStart(file, &said), 60);
        EXPECT_NE(said.find(row.why), std::string::npos) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
    }
}

TEST_F(RememberedVolumeTest, AnUnwritableConfigurationIsSaidOnceAndPlayGoesOn)
{
    // A regular file where the configuration folder should be.
    QFile blocker(dir.filePath(QStringLiteral("config")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    test::FakeAudioOutput device;
    RememberedVolume volume(device, file);
    testing::internal::CaptureStderr();
    volume.SetVolume(0x80008000);
    volume.SetVolume(0x40004000);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(device.Volume(), 0x40004000u);
    EXPECT_NE(said.find("cannot be written"), std::string::npos) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
}

}  // namespace
}  // namespace velmora::app
