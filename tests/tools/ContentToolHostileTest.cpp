// The content tool on hostile content and failing outputs.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <random>
#include <set>
#include <string>

#include "support/TestFiles.h"
#include "support/ToolRunner.h"
#include "support/WaveFiles.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using test::Arg;
using test::Bytes;
using test::RunContentTool;

Bytes Noise(std::size_t size)
{
    std::mt19937 random(3);
    Bytes bytes(size);
    for (auto& byte : bytes)
        byte = static_cast<std::uint8_t>(random());
    return bytes;
}

std::set<std::string> Names(const fs::path& directory)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory))
        names.insert(entry.path().filename().string());
    return names;
}

// Files written by this process and its children may not grow past
// `bytes`, and a write past it fails (EFBIG) instead of killing the writer:
// a disk that fills up, for one test.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        ::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    sighandler_t previousHandler_ = SIG_DFL;
};

TEST(ContentToolOutput, AFailedWriteIsAnErrorAndLeavesNoFile)
{
    test::TempDir dir;
    const fs::path in = dir.Path() / "in";
    dir.Write("in/noise.tbb", test::UnpackedTbb(64, 64, Noise(64 * 64)));
    dir.Write("in/noise.wav", test::Pcm16Wave(1, 8000, std::vector<std::int16_t>(4000, 1234)));
    std::string ppm = "P6\n40 40\n255\n";
    const Bytes pixels = Noise(40 * 40 * 3);
    ppm.append(pixels.begin(), pixels.end());
    dir.Write("in/noise.ppm", ppm);
    dir.Write("content/menl.dat", std::string("F\xA8 #\"G\"\"g\""));
    dir.Write("content/Data/gra/traba.tbb", test::UnpackedTbb(1, 1, {0}));
    const fs::path out = dir.Path() / "out";
    fs::create_directories(out);

    // Each output is larger than the 1 KiB the file system grants below.
    const std::string commands[] = {
        "unpack " + Arg(in / "noise.tbb") + " " + Arg(out / "noise.png"),
        "scramble " + Arg(in / "noise.wav") + " " + Arg(out / "noise.cw"),
        "unscramble " + Arg(in / "noise.wav") + " " + Arg(out / "noise.wav"),
        "resample " + Arg(in / "noise.ppm") + " 50 50 " + Arg(out / "noise.ppm"),
        "tone 40 " + Arg(in / "noise.ppm") + " " + Arg(out / "tone.ppm"),
    };
    for (const std::string& command : commands) {
        SCOPED_TRACE(command);
        {
            const FileSizeLimit fullDisk(1024);
            EXPECT_EQ(RunContentTool(command).status, 1);
        }
        EXPECT_TRUE(fs::is_empty(out)) << "left behind: " << *Names(out).begin();
        ASSERT_EQ(RunContentTool(command).status, 0) << "succeeds with room";
        fs::remove_all(out);
        fs::create_directories(out);
    }

    // Outputs that are devices, the standard output among them.
    const std::string toDevices[] = {
        "unpack " + Arg(in / "noise.tbb") + " /dev/full",
        "scramble " + Arg(in / "noise.wav") + " /dev/full",
        "dump " + Arg(dir.Path() / "content") + " > /dev/full",
        "check " + Arg(dir.Path() / "content") + " > /dev/full",
    };
    for (const std::string& command : toDevices) {
        SCOPED_TRACE(command);
        EXPECT_EQ(RunContentTool(command).status, 1);
    }
    EXPECT_EQ(RunContentTool("dump " + Arg(dir.Path() / "content") + " > /dev/null").status, 0);
}

TEST(ContentToolOutput, AnExistingFileIsReplacedWholeAndKeepsItsMode)
{
    test::TempDir dir;
    dir.Write("noise.wav", test::Pcm16Wave(1, 8000, std::vector<std::int16_t>(4000, 1234)));
    const fs::path out = dir.Write("old.cw", std::string("older"));
    fs::permissions(out, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    {
        const FileSizeLimit fullDisk(1024);
        EXPECT_EQ(RunContentTool("scramble " + Arg(dir.Path() / "noise.wav") + " " + Arg(out)).status, 1);
    }
    EXPECT_EQ(test::ReadBytes(out), (Bytes{'o', 'l', 'd', 'e', 'r'})) << "a failed write keeps the old file";
    ASSERT_EQ(RunContentTool("scramble " + Arg(dir.Path() / "noise.wav") + " " + Arg(out)).status, 0);
    EXPECT_GT(fs::file_size(out), 8000u);
    EXPECT_EQ(fs::status(out).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Names(dir.Path()), (std::set<std::string>{"noise.wav", "old.cw"}));
}

// A group whose file name climbs to /etc/passwd and ends in a NUL, which
// would cut off the ".tbb" the program appends.
constexpr char kNulName[] = "F\xA8 #\"G\"\"..\\..\\..\\..\\etc\\passwd\0\"B";

TEST(ContentToolCheckHostile, NamesWhatIsWrongWithoutHanging)
{
    const auto pipe = [](const fs::path& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); };
    const Bytes picture = test::UnpackedTbb(1, 1, {0});
    const struct {
        const char* name;
        std::string content;
        std::function<void(const test::TempDir&)> files;
        std::vector<std::string> expected;
        const char* absent;
    } rows[] = {
        {"a pipe as the content file",
         "",
         [&](const test::TempDir& d) { pipe(d.Path() / "menl.dat"); },
         {"menl.dat: ", "not a regular file"},
         nullptr},
        {"a pipe, a folder and a device as pictures",
         "F\xA8 #\"G\"\"p\"B -\"A\"\"f\" -\"B\"\"d\"",
         [&](const test::TempDir& d) {
             fs::create_directories(d.Path() / "Data/gra/f.tbb");
             pipe(d.Path() / "Data/gra/p.tbb");
             fs::create_symlink("/dev/zero", d.Path() / "Data/gra/d.tbb");
         },
         {"picture Data/gra/p.tbb: not a regular file", "picture Data/gra/f.tbb: is a folder",
          "picture Data/gra/d.tbb: not a regular file"},
         "short data"},
        {"a pipe and a folder as clip and page",
         "F\xA8 #\"G\"\"g\" -\"A\"\"a\" P\xA8 R\xA8 -\"S\"\"s\"",
         [&](const test::TempDir& d) {
             pipe(d.Path() / "Data/sou/a.cw");
             fs::create_directories(d.Path() / "Data/pre/s.dat");
         },
         {"clip Data/sou/a.cw: not a regular file", "page Data/pre/s.dat: is a folder"},
         nullptr},
        {"a NUL cutting the name",
         std::string(kNulName, sizeof kNulName - 1),
         nullptr,
         {"picture Data\\gra\\..\\..\\..\\..\\etc\\passwd\\x00.tbb: the name holds a control byte",
          "note: picture Data\\gra\\..\\..\\..\\..\\etc\\passwd\\x00.tbb leads outside"},
         "bad magic"},
        {"an escape sequence in a name", "F\xA8 #\"\x1B[2J\"\"g\"B", nullptr, {"group 0 \"\\x1B[2J\""}, "\x1B"},
        {"a comment never closed",
         "F\xA8 @ #\"G\"\"g\"",
         nullptr,
         {"comment opened at byte 3 is never closed"},
         nullptr},
        {"no group", "F\xA8 P\xA8 -\"P\"\"p\"\"0\"", nullptr, {"there is no menu group"}, nullptr},
        {"a clip at 1,000 Hz",
         "F\xA8 #\"G\"\"g\" -\"A\"\"a\"",
         [](const test::TempDir& d) {
             d.Write("Data/sou/a.cw", test::WaveImage({test::kWavePcm, 1, 1000, 8}, Bytes(500, 9)));
         },
         {"clip Data/sou/a.cw: not a playable WAVE image (format tag 1): sample rate 1000 Hz is outside"},
         nullptr},
        {"a WAVE header that lies",
         "F\xA8 #\"G\"\"g\" -\"A\"\"a\"",
         [](const test::TempDir& d) {
             Bytes wave = test::WaveImage({test::kWavePcm, 1, 8000, 8}, Bytes(500, 9));
             wave[40] = 0xFF;
             wave[41] = 0xFF;
             d.Write("Data/sou/a.cw", wave);
         },
         {"clip Data/sou/a.cw: not a playable WAVE image: the chunk \"data\" at byte 36"},
         nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        test::TempDir dir;
        fs::create_directories(dir.Path() / "Data/gra");
        fs::create_directories(dir.Path() / "Data/sou");
        fs::create_directories(dir.Path() / "Data/pre");
        dir.Write("Data/gra/traba.tbb", picture);
        if (!row.content.empty())
            dir.Write("menl.dat", row.content);
        if (row.files)
            row.files(dir);
        const test::ToolResult result = RunContentTool("check " + Arg(dir.Path()));
        EXPECT_EQ(result.status, 1);
        for (const std::string& expected : row.expected)
            EXPECT_NE(result.out.find(expected), std::string::npos) << expected << "\n" << result.out;
        if (row.absent != nullptr) {
            EXPECT_EQ(result.out.find(row.absent), std::string::npos) << row.absent << "\n" << result.out;
        }
    }
}

}  // namespace
}  // namespace velmora
