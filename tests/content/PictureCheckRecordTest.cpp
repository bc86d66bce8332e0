#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "content/ContentLoad.h"
#include "content/PictureCheckRecord.h"
#include "support/TestContent.h"

namespace velmora {
namespace {

using Size = PictureCheckRecord::PictureSize;

// Checks that begin 10 s from now: the files the tests have just written
// are long settled by then.
constexpr std::int64_t kLater = 10'000'000'000;
// An item's picture, 100 x 80, wanted only on first use.
const std::string kItem = "Data/gra/" + test::TestItemFile(0, 1) + ".tbb";

test::Bytes BrokenPicture()
{
    return test::UnpackedTbb(test::kTestItemWidth, test::kTestItemHeight, test::Bytes(10, 0));
}

class PictureCheckRecordFiles : public ::testing::Test {
protected:
    PictureCheckRecordFiles() : here_(dir.Path()) { test::WriteTestContent(dir, {test::TestGroup{}}); }

    test::TempDir dir;

private:
    test::CurrentDirGuard here_;
};

// A record that claims a broken picture passed its check is trusted while
// the file has the stamp recorded, and only then; a record that is racy, of
// another version or damaged is not trusted at all.
TEST_F(PictureCheckRecordFiles, ARecordSparesTheCheckOfAnUnchangedFile)
{
    dir.Write(kItem, BrokenPicture());
    const FileStamp stamp = *FileStamp::Of(kItem);
    const std::int64_t later = PictureCheckRecord::SystemTimeNs() + kLater;
    const struct Row {
        const char* what;
        std::int64_t checkTime;
        std::function<void(FileStamp&)> restamp;
        std::function<void(test::Bytes&)> damage;
        bool loads;
    } rows[] = {
        {"as recorded", later, nullptr, nullptr, true},
        {"another size", later, [](FileStamp& s) { ++s.size; }, nullptr, false},
        {"another modification", later, [](FileStamp& s) { ++s.modifiedNs; }, nullptr, false},
        {"another inode change", later, [](FileStamp& s) { ++s.changedNs; }, nullptr, false},
        {"another inode", later, [](FileStamp& s) { ++s.inode; }, nullptr, false},
        {"another device", later, [](FileStamp& s) { ++s.device; }, nullptr, false},
        {"checked within 2 s of its change", stamp.changedNs + PictureCheckRecord::kRacyNs - 1, nullptr, nullptr,
         false},
        // The version follows the four bytes of the magic.
        {"another version", later, nullptr, [](test::Bytes& b) { ++b[4]; }, false},
        // The width is the second last number before the 8 bytes of the hash.
        {"a damaged width", later, nullptr, [](test::Bytes& b) { ++b[b.size() - 16]; }, false},
        {"cut short", later, nullptr, [](test::Bytes& b) { b.pop_back(); }, false},
        {"a byte too many", later, nullptr, [](test::Bytes& b) { b.push_back(0); }, false},
    };
    for (const Row& row : rows) {
        FileStamp recorded = stamp;
        if (row.restamp)
            row.restamp(recorded);
        PictureCheckRecord written(row.checkTime);
        written.Keep(kItem, recorded, {test::kTestItemWidth, test::kTestItemHeight});
        test::Bytes bytes = written.Serialise();
        if (row.damage)
            row.damage(bytes);
        PictureCheckRecord record;
        record.Parse(bytes.data(), bytes.size());
        EXPECT_EQ(LoadContent(nullptr, &record).Ok(), row.loads) << row.what;
    }
}

// A load keeps every picture wanted on first use that passed its check,
// and only those: written and read back, the record spares the next load
// reading them, and a broken picture still goes to its check.
TEST_F(PictureCheckRecordFiles, ALoadRecordsThePicturesThatPassed)
{
    const std::string file = (dir.Path() / "cache" / "velmora" / "record").string();
    for (const bool broken : {false, true}) {
        if (broken)
            dir.Write(kItem, BrokenPicture());
        const std::int64_t later = PictureCheckRecord::SystemTimeNs() + kLater;
        PictureCheckRecord first(later);
        first.Read(file);
        EXPECT_EQ(LoadContent(nullptr, &first).Ok(), !broken);
        ASSERT_TRUE(first.Write(file));

        PictureCheckRecord second(later);
        second.Read(file);
        for (int i = 0; i < test::TestGroup{}.items; ++i) {
            const std::string item = "Data/gra/" + test::TestItemFile(0, i) + ".tbb";
            const auto expected = broken && item == kItem
                                      ? std::nullopt
                                      : std::optional(Size{test::kTestItemWidth, test::kTestItemHeight});
            EXPECT_EQ(second.Trusted(item, *FileStamp::Of(item)), expected) << item << (broken ? ", broken" : "");
        }
        EXPECT_EQ(LoadContent(nullptr, &second).Ok(), !broken);
        EXPECT_FALSE(second.Changed()) << "the second load keeps what it trusted" << (broken ? ", broken" : "");
    }
}

// A start killed while it wrote its record leaves the record's temporary
// file behind, whatever it had become; the next write takes its place
// instead of leaving one more, and never writes through it.
TEST_F(PictureCheckRecordFiles, AWriteReplacesWhatAnInterruptedWriteLeft)
{
    namespace fs = std::filesystem;
    const fs::path folder = dir.Path() / "cache";
    const fs::path record = folder / "record";
    const fs::path elsewhere = dir.Path() / "elsewhere";
    const struct {
        const char* name;
        std::function<void(const fs::path&)> leave;
    } rows[] = {
        {"a half-written file", [](const fs::path& left) { std::ofstream(left) << "VCR"; }},
        {"a named pipe", [](const fs::path& left) { ASSERT_EQ(::mkfifo(left.c_str(), 0600), 0); }},
        {"a link to another file", [&](const fs::path& left) { fs::create_symlink(elsewhere, left); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove_all(folder);
        fs::create_directories(folder);
        std::ofstream(elsewhere) << "kept";
        row.leave(fs::path(record.string() + ".new"));

        const std::int64_t later = PictureCheckRecord::SystemTimeNs() + kLater;
        PictureCheckRecord first(later);
        ASSERT_TRUE(LoadContent(nullptr, &first).Ok());
        ASSERT_TRUE(first.Write(record.string()));

        std::vector<std::string> left;
        for (const auto& entry : fs::directory_iterator(folder))
            left.push_back(entry.path().filename().string());
        EXPECT_EQ(left, std::vector<std::string>{"record"});
        PictureCheckRecord second(later);
        second.Read(record.string());
        EXPECT_TRUE(second.Trusted(kItem, *FileStamp::Of(kItem)).has_value());
        EXPECT_EQ(test::ReadBytes(elsewhere), test::Bytes({'k', 'e', 'p', 't'}));
    }
}

}  // namespace
}  // namespace velmora
