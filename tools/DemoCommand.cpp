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

#include "core/FileStream.h"
#include "core/TextEncoding.h"
#include "tools/ClipScrambler.h"
#include "tools/Commands.h"
#include "tools/DemoContent.h"
#include "tools/DemoRenderer.h"
#include "tools/PictureFiles.h"
#include "tools/TbbWriter.h"

namespace velmora::tool {

namespace {

namespace fs = std::filesystem;
using demo::DemoSet;
using demo::DemoGroup;
using demo::DemoItem;

const char* kHelp =
    "usage: velmora-content make-demo OUT_DIR\n"
    "       velmora-content make-demo --synthetic GROUPS ITEMS HELP_PAGES OUT_DIR\n"
    "Writes a complete content directory: menl.dat, pictures in Data/gra, spoken\n"
    "words in Data/sou (espeak-ng, Polish voice) and phonetic-alphabet pages in\n"
    "Data/pre. With --synthetic, writes a content set of the given size with drawn\n"
    "patterns and one short tone for every clip, for benchmarks.\n";

// Fails the whole command with a message; caught once in RunMakeDemo.
struct DemoError {
    std::string message;
};

std::string Quoted(const std::string& utf8)
{
    std::string quoted(1, '"');
    quoted += Utf8ToCp1250(utf8);
    quoted += '"';
    return quoted;
}

class DemoWriter {
public:
    explicit DemoWriter(fs::path root) : root_(std::move(root))
    {
        for (const char* folder : {"Data/gra", "Data/sou", "Data/pre"})
            fs::create_directories(root_ / folder);
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
        WriteBytes(fs::path("Data/gra") / (diskName + ".tbb"), PackTbb(coverage));
    }

    void WriteClip(const std::string& diskName, std::vector<std::uint8_t> wave) const
    {
        if (!ScrambleClip(wave))
            throw DemoError{"the clip for " + diskName + " is not a RIFF file"};
        WriteBytes(fs::path("Data/sou") / (diskName + ".cw"), wave);
    }

    void WriteContentFile(const std::string& cp1250) const
    {
        if (cp1250.size() > 204800)
            throw DemoError{"menl.dat would take " + std::to_string(cp1250.size()) +
                             " bytes, more than the program reads (204,800)"};
        WriteBytes("menl.dat", std::vector<std::uint8_t>(cp1250.begin(), cp1250.end()));
    }

    const fs::path& Root() const { return root_; }

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

std::string ContentFile(const DemoSet& set)
{
    std::string text = Utf8ToCp1250(
        "F\xC2\xA8\r\n"
        "@ Zestaw przykładowy programu Velmora: grupy ćwiczeń, pomoc i plansze alfabetu. @\r\n");
    const auto entry = [](char keyword, const DemoItem& item) {
        return std::string(" ") + keyword + Quoted(item.word) + " " + Quoted(item.fileName) + "\r\n";
    };
    for (const DemoGroup& group : set.groups) {
        text += group.indented ? "##" : "#";
        text += Quoted(group.name) + " " + Quoted(group.fileName) + (group.emoji.empty() ? "" : " B") + "\r\n";
        for (const DemoItem& title : group.titleEntries)
            text += entry('|', title);
        for (const DemoItem& item : group.items)
            text += entry('-', item);
    }
    text += "P\xA8\r\n";
    for (const demo::DemoHelpPage& page : set.helpPages)
        text += " -" + Quoted(page.key) + " " + Quoted(page.fileName) + " \"" + std::to_string(page.gap) + "\"\r\n";
    text += "R\xA8\r\n";
    for (const demo::DemoLink& link : set.links)
        text += " |" + Quoted(link.caption) + " " + Quoted(link.target) + "\r\n";
    for (std::size_t i = 0; i < set.presentationPages.size(); ++i)
        text += " -\"Plansza " + std::to_string(i + 1) + "\" " + Quoted(set.presentationPages[i]) + "\r\n";
    return text;
}

void WriteDemo(const DemoWriter& writer)
{
    const DemoSet set = demo::DemoContentSet();
    const demo::DemoRenderer renderer;
    QTemporaryDir scratch;
    if (!scratch.isValid())
        throw DemoError{"cannot create a temporary folder"};

    writer.WritePicture("traba", renderer.Icon(QStringLiteral("🔊"), 72));
    std::set<std::string> pictures;
    std::set<std::string> clips;
    for (const DemoGroup& group : set.groups) {
        if (!group.emoji.empty())
            writer.WritePicture(group.fileName, renderer.GroupBanner(QString::fromStdString(group.emoji),
                                                                     QString::fromStdString(group.name), group.indented));
        for (const DemoItem& title : group.titleEntries) {
            if (pictures.insert(DiskName(title)).second)
                writer.WritePicture(DiskName(title), renderer.Icon(QString::fromStdString(title.emoji), 110));
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
        const fs::path page = writer.Root() / "Data/pre" / (set.presentationPages[i] + ".dat");
        if (!renderer.PresentationPage(static_cast<int>(i)).save(QString::fromStdString(page.string()), "JPG", 90))
            throw DemoError{"cannot write " + page.string()};
    }
    writer.WriteContentFile(ContentFile(set));
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
    std::vector<std::uint8_t> wave;
    const auto put16 = [&](std::uint32_t v) {
        wave.push_back(static_cast<std::uint8_t>(v));
        wave.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    const auto put32 = [&](std::uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    const auto tag = [&](const char* text) { wave.insert(wave.end(), text, text + 4); };
    tag("RIFF");
    put32(36 + kSamples * 2);
    tag("WAVE");
    tag("fmt ");
    put32(16);
    put16(1);
    put16(1);
    put32(kRate);
    put32(kRate * 2);
    put16(2);
    put16(16);
    tag("data");
    put32(kSamples * 2);
    for (std::uint32_t i = 0; i < kSamples; ++i)
        put16(static_cast<std::uint16_t>(static_cast<std::int16_t>(8000.0 * std::sin(i * 6.283185307 * 440.0 / kRate))));
    return wave;
}

// `prefix` followed by `number`; built by appending, which also keeps GCC 12's
// false -Wrestrict warning on "literal" + std::string away.
std::string Numbered(const char* prefix, int number)
{
    std::string name(prefix);
    name += std::to_string(number);
    return name;
}

void WriteSynthetic(const DemoWriter& writer, int groups, int items, int helpPages)
{
    const std::vector<std::uint8_t> tone = ToneWave();
    writer.WriteCoverage("traba", PatternPicture(72, 72, 0));
    std::string text = "F\xA8\r\n";
    for (int g = 0; g < groups; ++g) {
        const std::string group = Numbered("g", g);
        text += g % 3 == 1 ? "##" : "#";
        text += "\"Grupa " + std::to_string(g) + "\" \"" + group + "\" B\r\n";
        writer.WriteCoverage(group, PatternPicture(560, 140, g));
        for (int i = 0; i < items; ++i) {
            const std::string item = group + "_" + std::to_string(i);
            text += " -\"S\xB3owo " + std::to_string(i) + "\" \"" + item + "\"\r\n";
            writer.WriteCoverage(item, PatternPicture(320, 280, g + i));
        }
        if (items > 0)
            writer.WriteClip(group + "_0", tone);
    }
    text += "P\xA8\r\n";
    for (int h = 0; h < helpPages; ++h) {
        const std::string page = Numbered("h", h);
        text += " -\"g" + std::to_string(h % std::max(groups, 1)) + "\" \"" + page + "\" \"20\"\r\n";
        writer.WriteCoverage(page, PatternPicture(1200, 1600, h));
    }
    text += "R\xA8\r\n";
    writer.WriteContentFile(text);
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

int RunMakeDemo(const Arguments& args)
{
    if (int status = 0; HandleUsage(args, 1, 5, kHelp, status))
        return status;
    const bool synthetic = args[0] == "--synthetic";
    int groups = 0, items = 0, helpPages = 0;
    if (synthetic && (args.size() != 5 || !ParseCount(args[1], groups) || !ParseCount(args[2], items) ||
                      !ParseCount(args[3], helpPages))) {
        std::fputs(kHelp, stderr);
        return kExitBadArguments;
    }
    if (!synthetic && args.size() != 1) {
        std::fputs(kHelp, stderr);
        return kExitBadArguments;
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
        ReportError("make-demo", error.message);
        return kExitBadFile;
    } catch (const fs::filesystem_error& error) {
        ReportError("make-demo", error.what());
        return kExitBadFile;
    }
    return kExitOk;
}

}  // namespace velmora::tool
