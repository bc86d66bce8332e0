#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "graphics/CoveragePicture.h"
#include "support/TestFiles.h"
#include "support/ToolRunner.h"
#include "support/WaveFiles.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using test::Arg;
using test::Bytes;
using test::RunContentTool;
using test::ToolResult;

// Every file below `root`, relative, with its bytes.
std::map<std::string, Bytes> FilesBelow(const fs::path& root)
{
    std::map<std::string, Bytes> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[entry.path().lexically_relative(root).generic_string()] = test::ReadBytes(entry.path());
    return files;
}

void ExpectRoundTrip(const fs::path& content, const fs::path& work)
{
    const fs::path source = work / "source";
    const fs::path rebuilt = work / "rebuilt";
    ASSERT_EQ(RunContentTool("export " + Arg(content) + " " + Arg(source)).status, 0);
    EXPECT_TRUE(fs::exists(source / "menl.txt"));
    EXPECT_FALSE(fs::exists(source / "menl.dat"));
    ASSERT_EQ(RunContentTool("build " + Arg(source) + " " + Arg(rebuilt)).status, 0);
    const auto original = FilesBelow(content);
    const auto made = FilesBelow(rebuilt);
    ASSERT_EQ(original.size(), made.size());
    for (const auto& [name, bytes] : original) {
        ASSERT_EQ(made.count(name), 1u) << name;
        EXPECT_TRUE(made.at(name) == bytes) << name << " differs after export and build";
    }
}

TEST(ContentAuthoring, ExportThenBuildGivesTheSameBytes)
{
    test::TempDir dir;
    ASSERT_EQ(RunContentTool("make-demo " + Arg(dir.Path() / "demo")).status, 0);
    ExpectRoundTrip(dir.Path() / "demo", dir.Path() / "demo-work");

    // A synthetic set, with every byte value in a comment after the content
    // (the five bytes Windows-1250 leaves undefined among them), a file the
    // tool does not know and an empty folder.
    const fs::path synthetic = dir.Path() / "synthetic";
    ASSERT_EQ(RunContentTool("make-demo --synthetic 3 4 2 " + Arg(synthetic)).status, 0);
    std::string allBytes = "@";
    for (int byte = 0; byte < 256; ++byte)
        if (byte != '@' && byte != '"')
            allBytes += static_cast<char>(byte);
    allBytes += "@\r\n";
    Bytes menl = test::ReadBytes(synthetic / "menl.dat");
    menl.insert(menl.end(), allBytes.begin(), allBytes.end());
    dir.Write("synthetic/menl.dat", menl);
    dir.Write("synthetic/Data/pre/notes.txt", std::string("plansze"));
    fs::create_directories(synthetic / "Data/empty");
    ExpectRoundTrip(synthetic, dir.Path() / "synthetic-work");
    EXPECT_TRUE(fs::is_directory(dir.Path() / "synthetic-work/rebuilt/Data/empty"));
}

Bytes EncodedPicture(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format));
    return Bytes(bytes.begin(), bytes.end());
}

// A red disc on a transparent background.
QImage TransparentColourPicture()
{
    QImage image(200, 150, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setBrush(Qt::red);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(50, 25, 100, 100);
    return image;
}

// A photo-like gradient larger than any place shows a picture.
QImage LargePhoto()
{
    QImage image(3000, 2000, QImage::Format_RGB32);
    for (int row = 0; row < image.height(); ++row)
        for (int col = 0; col < image.width(); ++col)
            image.setPixel(col, row, qRgb(col * 255 / 3000, row * 255 / 2000, 128));
    return image;
}

Bytes Wave24(const std::vector<std::int32_t>& samples)
{
    Bytes data;
    for (const std::int32_t sample : samples)
        for (int shift = 0; shift < 24; shift += 8)
            data.push_back(static_cast<std::uint8_t>(sample >> shift));
    return test::WaveImage({.formatTag = test::kWavePcm, .channels = 1, .rate = 22050, .bitsPerSample = 24}, data);
}

// What a new author has: a content file saved by an ordinary editor (UTF-8,
// with a byte-order mark and Polish letters), pictures as they come, and
// clips as recorders write them.
void WriteAuthorSource(const test::TempDir& dir, const std::string& folder)
{
    dir.Write(folder + "/menl.txt", std::string("\xEF\xBB\xBF"
                                                "F¨\n"
                                                "@ Moje ćwiczenia @\n"
                                                "#\"Zwierzęta\" \"grupa\" B\n"
                                                " -\"kot\" \"kot\"\n"
                                                " -\"żółw\" \"zdjęcie\"\n"
                                                "#\"Łódź\" \"łódź\"\n"
                                                " -\"pies\" \"Pies\"\n"
                                                "P¨\nR¨\n"));
    dir.Write(folder + "/Data/gra/kot.png", EncodedPicture(TransparentColourPicture(), "PNG"));
    dir.Write(folder + "/Data/gra/zdjęcie.jpg", EncodedPicture(LargePhoto(), "JPG"));
    QImage banner(490, 140, QImage::Format_Grayscale8);
    banner.fill(200);
    dir.Write(folder + "/Data/gra/grupa.PNG", EncodedPicture(banner, "PNG"));
    dir.Write(folder + "/Data/gra/pies.bmp", EncodedPicture(banner.scaled(300, 200), "BMP"));
    dir.Write(folder + "/Data/sou/kot.wav",
              test::WaveImage({.formatTag = test::kWavePcm, .channels = 1, .rate = 11025, .bitsPerSample = 8},
                              Bytes(4000, 0x80)));
    dir.Write(folder + "/Data/sou/pies.wav", Wave24(std::vector<std::int32_t>(3000, 1000)));
}

TEST(ContentAuthoring, BuildsWhatANewAuthorHas)
{
    test::TempDir dir;
    WriteAuthorSource(dir, "source");
    const fs::path content = dir.Path() / "content";
    const ToolResult build = RunContentTool("build " + Arg(dir.Path() / "source") + " " + Arg(content), true);
    ASSERT_EQ(build.status, 0) << build.out;
    EXPECT_NE(build.out.find("3000 x 2000 reduced to 436 x 291"), std::string::npos) << build.out;
    EXPECT_NE(build.out.find("sound marker"), std::string::npos) << build.out;

    const ToolResult check = RunContentTool("check " + Arg(content));
    EXPECT_EQ(check.status, 0) << check.out;

    const ToolResult dump = RunContentTool("dump " + Arg(content));
    ASSERT_EQ(dump.status, 0);
    const auto json = nlohmann::json::parse(dump.out);
    EXPECT_TRUE(json["loadResources"].get<bool>());
    EXPECT_EQ(json["menuItems"][0]["name"], "Zwierzęta");
    EXPECT_EQ(json["menuItems"][0]["children"][0]["flags"], 3) << "kot keeps its clip";
    EXPECT_EQ(json["menuItems"][0]["children"][1]["name"], "żółw");
    EXPECT_EQ(json["menuItems"][0]["children"][1]["image"], nlohmann::json::array({436, 291}));
    EXPECT_EQ(json["menuItems"][1]["name"], "Łódź");
    EXPECT_EQ(json["menuItems"][1]["children"][0]["flags"], 3) << "pies keeps its 24-bit clip";

    // The transparent background stays white; the red disc is ink.
    const fs::path unpacked = dir.Path() / "kot.png";
    ASSERT_EQ(RunContentTool("unpack " + Arg(content / "Data/gra/kot.tbb") + " " + Arg(unpacked)).status, 0);
    const QImage kot(QString::fromStdString(unpacked.string()));
    ASSERT_EQ(kot.size(), QSize(200, 150));
    EXPECT_EQ(qGray(kot.pixel(2, 2)), 255);
    EXPECT_NEAR(qGray(kot.pixel(100, 75)), qGray(qRgb(255, 0, 0)), 1);
}

struct BadSource {
    const char* what;
    const char* file;     // written into a good source ...
    std::string bytes;    // ... with these bytes
    const char* message;  // expected in the error
};

TEST(ContentAuthoring, BadInputsFailWholeWithAMessageNamingTheFile)
{
    const std::string header = "F¨\n#\"Zwierzęta\" \"grupa\" B\n -\"kot\" \"kot\"\n";
    const std::vector<BadSource> rows = {
        {"a character outside Windows-1250", "menl.txt", header + " -\"kot ☺\" \"kot\"\n",
         "menl.txt:4:8: the character \"☺\" (U+263A) has no Windows-1250 form"},
        {"text that is not UTF-8", "menl.txt",
         header + " -\"\xBF"
                  "aba\" \"kot\"\n",
         "menl.txt:4:4: not UTF-8"},
        {"a content file without its header", "menl.txt", "#\"Zwierzęta\" \"grupa\"\n",
         "menl.txt:1:1: Błędny format pliku zasobów!"},
        {"a missing picture", "menl.txt", header + " -\"wilk\" \"wilk\"\n",
         "no picture \"wilk\" (wilk.png, .jpg or any picture format) for item 1 \"wilk\" of group 0 \"Zwierzęta\""},
        {"a corrupt PNG", "Data/gra/kot.png", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), "Data/gra/kot.png: "},
        {"a WAVE SDL refuses", "Data/sou/kot.wav",
         [] {
             const Bytes wave =
                 test::WaveImage({.formatTag = 0x55, .channels = 1, .rate = 22050, .bitsPerSample = 0}, Bytes(400, 1));
             return std::string(wave.begin(), wave.end());
         }(),
         "Data/sou/kot.wav: not a playable WAVE image"},
        {"two pictures of one name", "Data/gra/KOT.jpg", "", "would both make Data/gra/"},
        {"a content file as well as its text", "menl.dat", "F\xA8", "remove this menl.dat"},
    };
    for (const BadSource& row : rows) {
        test::TempDir dir;
        WriteAuthorSource(dir, "source");
        dir.Write("source/menl.txt", header);
        dir.Write(std::string("source/") + row.file, row.bytes);
        const fs::path out = dir.Path() / "out";
        const ToolResult result = RunContentTool("build " + Arg(dir.Path() / "source") + " " + Arg(out), true);
        EXPECT_EQ(result.status, 1) << row.what;
        EXPECT_NE(result.out.find(row.message), std::string::npos) << row.what << ": " << result.out;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1)
            << row.what << ": something was left beside the source";
    }

    // Outputs that cannot be written, or must not be: each leaves what was there.
    test::TempDir dir;
    WriteAuthorSource(dir, "source");
    dir.Write("source/menl.txt", header);
    dir.Write("file", std::string("x"));
    dir.Write("full/keep", std::string("x"));
    const std::vector<std::pair<std::string, std::string>> outputs = {
        {"file/out", "cannot write in"},
        {"file", "exists and is not a folder"},
        {"full", "is not empty (--force replaces it)"},
        {"source/out", "must lie apart"},
    };
    for (const auto& [output, message] : outputs) {
        const ToolResult result =
            RunContentTool("build " + Arg(dir.Path() / "source") + " " + Arg(dir.Path() / output), true);
        EXPECT_EQ(result.status, 1) << output;
        EXPECT_NE(result.out.find(message), std::string::npos) << output << ": " << result.out;
    }
    EXPECT_EQ(test::ReadBytes(dir.Path() / "full/keep"), Bytes{'x'});
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 3);
    ASSERT_EQ(RunContentTool("build --force " + Arg(dir.Path() / "source") + " " + Arg(dir.Path() / "full")).status, 0);
    EXPECT_FALSE(fs::exists(dir.Path() / "full/keep"));
    EXPECT_TRUE(fs::exists(dir.Path() / "full/menl.dat"));
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

// The picture's grey levels, from a PNG the tool wrote.
QImage Unpacked(const fs::path& tbb, const fs::path& png)
{
    EXPECT_EQ(RunContentTool("unpack " + Arg(tbb) + " " + Arg(png)).status, 0);
    return QImage(QString::fromStdString(png.string())).convertToFormat(QImage::Format_Grayscale8);
}

TEST(ContentAuthoring, ReducesLargePicturesWithTheProgramsResampling)
{
    test::TempDir dir;
    // A gradient photo, and a strip one pixel high that only one side of
    // shrinks, which the resampling alone leaves black.
    QImage photo(900, 600, QImage::Format_Grayscale8);
    for (int row = 0; row < photo.height(); ++row)
        for (int col = 0; col < photo.width(); ++col)
            photo.scanLine(row)[col] = static_cast<uchar>((col * 7 + row * 3) % 256);
    QImage strip(3000, 1, QImage::Format_Grayscale8);
    strip.fill(100);
    dir.Write("source/menl.txt", std::string("F¨\n#\"G\" \"g\"\n -\"a\" \"photo\"\n -\"b\" \"strip\"\n"));
    dir.Write("source/Data/gra/photo.png", EncodedPicture(photo, "PNG"));
    dir.Write("source/Data/gra/strip.png", EncodedPicture(strip, "PNG"));
    ASSERT_EQ(RunContentTool("build " + Arg(dir.Path() / "source") + " " + Arg(dir.Path() / "content")).status, 0);

    // The program's resampling of the same photo, through the tool's PPM door.
    std::string ppm = "P6\n900 600\n255\n";
    for (int row = 0; row < photo.height(); ++row)
        for (int col = 0; col < photo.width(); ++col)
            ppm.append(3, static_cast<char>(photo.scanLine(row)[col]));
    dir.Write("photo.ppm", ppm);
    ASSERT_EQ(
        RunContentTool("resample " + Arg(dir.Path() / "photo.ppm") + " 436 291 " + Arg(dir.Path() / "r.ppm")).status,
        0);
    const Bytes resampled = test::ReadBytes(dir.Path() / "r.ppm");
    const std::size_t header = resampled.size() - 436u * 291u * 3u;

    const QImage reduced = Unpacked(dir.Path() / "content/Data/gra/photo.tbb", dir.Path() / "photo-out.png");
    ASSERT_EQ(reduced.size(), QSize(436, 291));
    int worst = 0;
    for (int row = 0; row < 291; ++row)
        for (int col = 0; col < 436; ++col)
            worst = std::max(worst, std::abs(reduced.scanLine(row)[col] -
                                             int(resampled[header + (static_cast<std::size_t>(row) * 436 + col) * 3])));
    EXPECT_LE(worst, 1) << "the packed form keeps 128 levels";

    const QImage thin = Unpacked(dir.Path() / "content/Data/gra/strip.tbb", dir.Path() / "strip-out.png");
    ASSERT_EQ(thin.size(), QSize(436, 1));
    for (int col = 0; col < 436; ++col)
        ASSERT_NEAR(thin.scanLine(0)[col], 100, 1) << col;
}

TEST(ContentAuthoring, ExportFailsWholeOnWhatItCannotWrite)
{
    struct Row {
        const char* what;
        const char* file;
        Bytes bytes;
        const char* message;
    };
    const std::vector<Row> rows = {
        {"a broken packed picture", "Data/gra/kot.tbb", Bytes{'T', 'B', 'B', 's', 1},
         "Data/gra/kot.tbb: not a packed picture"},
        {"an empty packed picture", "Data/gra/kot.tbb", test::UnpackedTbb(0, 0, {}), "an empty picture"},
        {"a packed picture and a PNG of one name", "Data/gra/kot.png", Bytes{1},
         "would both be exported as Data/gra/kot.png"},
        {"no content file", "menl.dat", {}, "menl.dat: missing; this is not a content directory"},
    };
    for (const Row& row : rows) {
        test::TempDir dir;
        dir.Write("content/menl.dat", std::string("F\xA8"));
        dir.Write("content/Data/gra/kot.tbb", test::UnpackedTbb(1, 1, {0}));
        dir.Write(std::string("content/") + row.file, row.bytes);
        if (std::string(row.file) == "menl.dat")
            fs::remove(dir.Path() / "content/menl.dat");
        const ToolResult result =
            RunContentTool("export " + Arg(dir.Path() / "content") + " " + Arg(dir.Path() / "source"), true);
        EXPECT_EQ(result.status, 1) << row.what;
        EXPECT_NE(result.out.find(row.message), std::string::npos) << row.what << ": " << result.out;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1)
            << row.what << ": something was left beside the content";
    }
}

}  // namespace
}  // namespace velmora
