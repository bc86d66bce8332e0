#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/GuiApplication.h"
#include "support/TestFiles.h"
#include "toolkit/Shell.h"

namespace velmora {
namespace {

// Puts a recorder named xdg-open first on PATH, where the desktop's opener
// would be found, and restores PATH afterwards.
class RecordingOpener {
public:
    RecordingOpener()
    {
        script_ = dir_.Write("bin/xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"$(dirname \"$0\")/opened\"\n");
        std::filesystem::permissions(script_, std::filesystem::perms::owner_all);
        oldPath_ = std::getenv("PATH");
        const std::string path = script_.parent_path().string() + ":" + oldPath_;
        setenv("PATH", path.c_str(), 1);
    }
    ~RecordingOpener() { setenv("PATH", oldPath_.c_str(), 1); }

    // The argument of the opener's only call, waiting up to two seconds for it.
    std::string TakeOpened()
    {
        QFile record(QString::fromStdString((script_.parent_path() / "opened").string()));
        if (!QTest::qWaitFor([&] { return record.exists() && record.size() > 0; }, 2000))
            return {};
        record.open(QIODevice::ReadOnly);
        const QByteArray text = record.readAll().trimmed();
        record.close();
        record.remove();
        return text.toStdString();
    }

private:
    test::TempDir dir_;
    std::filesystem::path script_;
    std::string oldPath_;
};

TEST(Shell, OpenHandsAddressesOverAndFilesAsLocalPaths)
{
    test::GuiApplication();
    RecordingOpener opener;
    test::TempDir content;
    content.Write("docs/a.pdf", "%PDF");
    test::CurrentDirGuard inContent(content.Path());
    const std::string here = "file://" + std::filesystem::current_path().string();

    struct Row {
        const char* target;
        std::string handedOver;
    };
    const Row rows[] = {
        {"https://example.org/ipa?page=1", "https://example.org/ipa?page=1"},
        {"mailto:logopeda@example.org", "mailto:logopeda@example.org"},
        {"docs/a.pdf", here + "/docs/a.pdf"},
        {"Data\\pre\\ipa.pdf", here + "/Data/pre/ipa.pdf"},
        {"/usr/share/doc/ipa.pdf", "file:///usr/share/doc/ipa.pdf"},
        {"C:\\Dokumenty\\ipa.pdf", here + "/C:/Dokumenty/ipa.pdf"},
        {"ćwiczenia/żaba.pdf", here + "/%C4%87wiczenia/%C5%BCaba.pdf"},
    };
    for (const Row& row : rows) {
        EXPECT_TRUE(Shell::Open(QString::fromUtf8(row.target))) << row.target;
        EXPECT_EQ(opener.TakeOpened(), row.handedOver) << row.target;
    }
}

}  // namespace
}  // namespace velmora
