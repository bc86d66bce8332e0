// velmora-content make-demo: writes the demo content set, or a large
// synthetic one for benchmarks.

#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "content/ContentLayout.h"
#include "content/ContentSet.h"
#include "core/FileStream.h"
#include "core/LittleEndian.h"
#include "demo/DemoContent.h"
#include "demo/DemoRenderer.h"
#include "sound/ClipFile.h"
#include "tools/Commands.h"
#include "tools/ContentFileWriter.h"
#include "tools/PictureFiles.h"
#include "tools/TbbWriter.h"

namespace velmora::tool {

namespace {

namespace fs = std::filesystem;
using demo::DemoGroup;
using demo::DemoItem;
using demo::DemoSet;

// Fails the whole command with a message; caught once in RunMakeDemo.
struct DemoError {
    std::string message;
};

class DemoWriter {
public:
    explicit DemoWriter(fs::path root) : root_(std::move(root))
    {
        for (const std::string_view folder : {kPictureFolder, kClipFolder, kPageFolder})
            fs::create_directories(root_ / kDataFolder / folder);
    }

    void WriteBytes(const fs::path& relative, const std::vector<std::uint8_t>& bytes) const
    {
        std::string error;
        if (!tool::WriteBytes((root_ / relative).string(), bytes.data(), bytes.size(), error))
            throw DemoError{error};
    }

    void WritePicture(const std::string& diskName, const QImage& image) const
    {
        CoveragePicture coverage;
        std::string error;
        if (!CoverageFromImage(image, coverage, error))
            throw DemoError{error};
        WriteCoverage(diskName, coverage);
    }

    void WriteCoverage(const std::string& diskName, const CoveragePicture& coverage) const
    {
        WriteBytes(RelativePath(kPictureFolder, diskName, kPictureExtension), PackTbb(coverage));
    }

    void WriteClip(const std::string& diskName, std::vector<std::uint8_t> wave) const
    {
        if (!ScrambleClip(wave))
            throw DemoError{"the clip for " + diskName + " is not a RIFF file"};
        WriteBytes(RelativePath(kClipFolder, diskName, kClipExtension), wave);
    }

    void WriteContentFile(const ContentFileWriter& file) const
    {
        const std::string& bytes = file.Text();
        if (bytes.size() > ContentSet::kMaxFileSize)
            throw DemoError{std::string(kContentFileName) + " would take " + std::to_string(bytes.size()) +
                            " bytes, more than the program reads (204,800)"};
        WriteBytes(kContentFileName, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    }

    // Where a file of the given kind and name goes, below the root.
    static fs::path RelativePath(std::string_view folder, const std::string& name, std::string_view extension)
    {
        return fs::path(kDataFolder) / folder / (name + std::string(extension));
    }

private:
    fs::path root_;
};

std::vector<std::uint8_t> SpeakPolish(const std::string& word, const fs::path& scratch)
{
    const fs::path wav = scratch / "word.wav";
    QProcess espeak;
    espeak.start(QStringLiteral("espeak-ng"),
                 {QStringLiteral("-v"), QStringLiteral("pl"), QStringLiteral("-s"), QStringLiteral("135"),
                  QStringLiteral("-w"), QString::fromStdString(wav.string()), QString::fromStdString(word)});
    if (!espeak.waitForFinished(60000) || espeak.exitStatus() != QProcess::NormalExit || espeak.exitCode() != 0)
        throw DemoError{"espeak-ng could not speak \"" + word + "\" (is the espeak-ng package installed?)"};
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(wav.string(), bytes, 64u << 20) || bytes.empty())
        throw DemoError{"espeak-ng wrote no sound for \"" + word + "\""};
    return bytes;
}

// `prefix` followed by `number`; built by appending, which also keeps GCC 12's
// false -Wrestrict warning on "literal" + std::string away.
std::string Numbered(const char* prefix, int number)
{
    std::string name(prefix);
    name += std::to_string(number);
    return name;
}

ContentFileWriter DemoContentFile(const DemoSet& set)
{
    ContentFileWriter file("Zestaw przykładowy programu Velmora: grupy ćwiczeń, pomoc i plansze alfabetu.");
    for (const DemoGroup& group : set.groups) {
        file.Group(group.name, group.fileName, group.indented, !group.emoji.empty());
        for (const DemoItem& title : group.titleEntries)
            file.TitleEntry(title.word, title.fileName);
        for (const DemoItem& item : group.items)
            file.Item(item.word, item.fileName);
    }
    file.BeginHelpPages();
    for (const demo::DemoHelpPage& page : set.helpPages)
        file.HelpPage(page.key, page.fileName, page.gap);
    file.BeginPresentation();
    for (const demo::DemoLink& link : set.links)
        file.Link(link.caption, link.target);
    for (std::size_t i = 0; i < set.presentationPages.size(); ++i)
        file.PresentationPage(Numbered("Plansza ", static_cast<int>(i + 1)), set.presentationPages[i]);
    return file;
}

void WriteDemo(const DemoWriter& writer)
{
    const DemoSet set = demo::DemoContentSet();
    const demo::DemoRenderer renderer;
    QTemporaryDir scratch;
    if (!scratch.isValid())
        throw DemoError{"cannot create a temporary folder"};

    writer.WritePicture(std::string(kSoundMarkerName), renderer.Icon(QStringLiteral("🔊"), 72));
    std::set<std::string> pictures;
    std::set<std::string> clips;
    for (const DemoGroup& group : set.groups) {
        if (!group.emoji.empty())
            writer.WritePicture(group.fileName,
                                renderer.GroupBanner(QString::fromStdString(group.emoji),
                                                     QString::fromStdString(group.name), group.indented));
        for (const DemoItem& title : group.titleEntries) {
            if (pictures.insert(DiskName(title)).second)
                writer.WritePicture(DiskName(title), renderer.Icon(QString::fromStdString(title.emoji), 66));
        }
        for (const DemoItem& item : group.items) {
            if (pictures.insert(DiskName(item)).second)
                writer.WritePicture(DiskName(item), renderer.ItemPicture(QString::fromStdString(item.emoji),
                                                                         QString::fromStdString(item.word)));
        }
        // Only a group's first item carries a recorded word.
        if (!group.items.empty() && group.items.front().fileName != set.missingClip &&
            clips.insert(DiskName(group.items.front())).second)
            writer.WriteClip(DiskName(group.items.front()),
                             SpeakPolish(group.items.front().word, scratch.path().toStdString()));
    }
    for (const demo::DemoHelpPage& page : set.helpPages) {
        QStringList paragraphs;
        for (const std::string& paragraph : page.paragraphs)
            paragraphs << QString::fromStdString(paragraph);
        writer.WritePicture(page.fileName, renderer.HelpPage(QString::fromStdString(page.heading), paragraphs));
    }
    for (std::size_t i = 0; i < set.presentationPages.size(); ++i) {
        const fs::path page = DemoWriter::RelativePath(kPageFolder, set.presentationPages[i], kPageExtension);
        std::vector<std::uint8_t> jpeg;
        if (!EncodeImage(renderer.PresentationPage(static_cast<int>(i)), "JPG", 90, jpeg))
            throw DemoError{"cannot encode " + page.string()};
        writer.WriteBytes(page, jpeg);
    }
    writer.WriteContentFile(DemoContentFile(set));
}

// A pattern picture: rings whose spacing depends on `variant`.
CoveragePicture PatternPicture(int width, int height, int variant)
{
    CoveragePicture picture;
    picture.SetSize(width, height);
    const double spacing = 6.0 + variant % 17;
    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < width; ++col) {
            const double distance = std::hypot(col - width / 2.0, row - height / 2.0);
            const double wave = 0.5 + 0.5 * std::cos(distance / spacing * 6.283185307);
            picture.Data()[static_cast<std::size_t>(row) * width + col] = static_cast<std::uint8_t>(wave * 255.0);
        }
    }
    return picture;
}

// A quarter second of a 440 Hz tone, 16-bit mono at 22,050 samples per second.
std::vector<std::uint8_t> ToneWave()
{
    constexpr std::uint32_t kRate = 22050;
    constexpr std::uint32_t kSamples = kRate / 4;
    std::vector<std::uint8_t> wave{'R', 'I', 'F', 'F'};
    const auto tag = [&](const char* text) { wave.insert(wave.end(), text, text + 4); };
    AppendLittle32(wave, 36 + kSamples * 2);
    tag("WAVE");
    tag("fmt ");
    AppendLittle32(wave, 16);
    AppendLittle16(wave, 1);
    AppendLittle16(wave, 1);
    AppendLittle32(wave, kRate);
    AppendLittle32(wave, kRate * 2);
    AppendLittle16(wave, 2);
    AppendLittle16(wave, 16);
    tag("data");
    AppendLittle32(wave, kSamples * 2);
    for (std::uint32_t i = 0; i < kSamples; ++i)
        AppendLittle16(wave, static_cast<std::uint16_t>(
                                 static_cast<std::int16_t>(8000.0 * std::sin(i * 6.283185307 * 440.0 / kRate))));
    return wave;
}

void WriteSynthetic(const DemoWriter& writer, int groups, int items, int helpPages)
{
    const std::vector<std::uint8_t> tone = ToneWave();
    writer.WriteCoverage(std::string(kSoundMarkerName), PatternPicture(72, 72, 0));
    ContentFileWriter file;
    for (int g = 0; g < groups; ++g) {
        const std::string group = Numbered("g", g);
        file.Group(Numbered("Grupa ", g), group, g % 3 == 1, true);
        writer.WriteCoverage(group, PatternPicture(490, 140, g));
        for (int i = 0; i < items; ++i) {
            const std::string item = group + "_" + std::to_string(i);
            file.Item(Numbered("Słowo ", i), item);
            writer.WriteCoverage(item, PatternPicture(320, 280, g + i));
        }
        if (items > 0)
            writer.WriteClip(group + "_0", tone);
    }
    file.BeginHelpPages();
    for (int h = 0; h < helpPages; ++h) {
        const std::string page = Numbered("h", h);
        file.HelpPage(Numbered("g", h % std::max(groups, 1)), page, 20);
        writer.WriteCoverage(page, PatternPicture(1200, 1600, h));
    }
    file.BeginPresentation();
    writer.WriteContentFile(file);
}

bool ParseCount(const std::string& text, int& value)
{
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || parsed < 0 || parsed > 100000)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

}  // namespace

const char* const kMakeDemoHelp = "usage: velmora-content make-demo OUT_DIR\n"
                                  "       velmora-content make-demo --synthetic GROUPS ITEMS HELP_PAGES OUT_DIR\n"
                                  "Writes a complete content directory: menl.dat, pictures in Data/gra, spoken\n"
                                  "words in Data/sou (espeak-ng, Polish voice) and phonetic-alphabet pages in\n"
                                  "Data/pre. With --synthetic, writes a content set of the given size with drawn\n"
                                  "patterns and one short tone for every clip, for benchmarks.\n";

int RunMakeDemo(const Arguments& args)
{
    const bool synthetic = args[0] == "--synthetic";
    int groups = 0, items = 0, helpPages = 0;
    if (synthetic && (args.size() != 5 || !ParseCount(args[1], groups) || !ParseCount(args[2], items) ||
                      !ParseCount(args[3], helpPages))) {
        return BadArguments(kMakeDemoHelp);
    }
    if (!synthetic && args.size() != 1) {
        return BadArguments(kMakeDemoHelp);
    }

    // Fonts and painting need a GUI application object, never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "velmora-content";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);
    try {
        const DemoWriter writer(args.back());
        if (synthetic)
            WriteSynthetic(writer, groups, items, helpPages);
        else
            WriteDemo(writer);
    } catch (const DemoError& error) {
        return Fail("make-demo", error.message);
    } catch (const fs::filesystem_error& error) {
        return Fail("make-demo", error.what());
    }
    return kExitOk;
}

}  // namespace velmora::tool
