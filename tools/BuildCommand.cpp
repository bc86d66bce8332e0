// velmora-content build SOURCE_DIR CONTENT_DIR: a content directory made of
// the ordinary files an author keeps (menl.txt in UTF-8, pictures, WAVE
// files), the reverse of export.

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "content/ContentLayout.h"
#include "content/ContentSet.h"
#include "content/PictureFit.h"
#include "core/ContentName.h"
#include "core/TextEncoding.h"
#include "sound/ClipFile.h"
#include "tools/ClipCheck.h"
#include "tools/Commands.h"
#include "tools/ContentFiles.h"
#include "tools/ContentText.h"
#include "tools/DefaultSoundMarker.h"
#include "tools/PictureImport.h"
#include "tools/StagedDirectory.h"
#include "tools/TbbWriter.h"

#include <QImage>

namespace velmora::tool {

namespace {

namespace fs = std::filesystem;

constexpr char kCommand[] = "build";
constexpr char kSourceTextName[] = "menl.txt";

// Where the build stands: problems are reported as they are found and fail
// it at the end, so that one run names every bad file.
class BuildLog {
public:
    void Problem(const std::string& message)
    {
        ReportError(kCommand, message);
        ++problems_;
    }
    void Warning(const std::string& message) { ReportError(kCommand, "warning: " + message); }
    void Note(const std::string& message) { std::printf("%s\n", message.c_str()); }
    bool Failed() const { return problems_ > 0; }

private:
    int problems_ = 0;
};

// A picture the content file names: how it is shown, and who names it first.
struct PictureNeed {
    PictureUses uses = 0;
    std::string name;  // as the content names it, in UTF-8
    std::string user;
};

// Pictures, by their path below Data/gra without extension, letter case folded.
using PictureKey = std::u32string;

PictureKey KeyOfContentName(const std::string& cp1250Name)
{
    std::string name = Cp1250ToUtf8(cp1250Name);
    for (char& c : name)
        if (c == '\\')
            c = '/';
    return FoldedName(name);
}

// The part of a relative path below its Data/gra (or Data/sou) folder.
fs::path BelowContentFolder(const fs::path& relative)
{
    fs::path below;
    int depth = 0;
    for (const fs::path& part : relative)
        if (++depth > 2)
            below /= part;
    return below;
}

PictureKey KeyOfPictureFile(const fs::path& relative)
{
    return FoldedName(WithExtension(BelowContentFolder(relative), "").generic_string());
}

std::string Quoted(const std::string& cp1250)
{
    // Appended: "literal" + std::string trips GCC 12's false -Wrestrict.
    std::string quoted(1, '"');
    quoted += Cp1250ToUtf8(cp1250);
    quoted += '"';
    return quoted;
}

class PictureNeeds {
public:
    explicit PictureNeeds(const ContentSet& content)
    {
        Add(std::string(kSoundMarkerName), PictureUse::SoundMarker, "the sound marker");
        for (int g = 0; g < content.MenuItemCount(); ++g) {
            const MenuGroup& group = *content.MenuItemAt(g);
            const std::string owner = "group " + std::to_string(g) + " " + Quoted(group.name);
            if ((group.flags & kHasPicture) != 0)
                Add(group.fileName, PictureUse::Group, owner);
            AddChildren(group.title, PictureUse::TitleEntry, "title entry", owner);
            AddChildren(group, PictureUse::Item, "item", owner);
        }
        AddChildren(content.helpPages, PictureUse::HelpPage, "help page", "");
    }

    const std::map<PictureKey, PictureNeed>& All() const { return needs_; }

    PictureUses UsesOf(const PictureKey& key) const
    {
        const auto found = needs_.find(key);
        return found == needs_.end() ? 0 : found->second.uses;
    }

private:
    void Add(const std::string& cp1250Name, PictureUse use, const std::string& user)
    {
        PictureNeed& need = needs_[KeyOfContentName(cp1250Name)];
        if (need.uses == 0) {
            need.name = Cp1250ToUtf8(cp1250Name);
            need.user = user;
        }
        need.uses |= UseBit(use);
    }

    void AddChildren(const ContentItem& parent, PictureUse use, const char* kind, const std::string& owner)
    {
        for (int i = 0; i < parent.ChildCount(); ++i) {
            const ContentItem& item = *parent.ChildAt(i);
            if ((item.flags & kHasPicture) != 0)
                Add(item.fileName, use,
                    std::string(kind) + " " + std::to_string(i) + " " + Quoted(item.name) +
                        (owner.empty() ? "" : " of " + owner));
        }
    }

    std::map<PictureKey, PictureNeed> needs_;
};

// Reads menl.txt and turns it into the bytes of menl.dat; null after a
// problem, which names its line and column.
bool ReadContentText(const fs::path& source, BuildLog& log, std::string& cp1250)
{
    const fs::path path = source / kSourceTextName;
    std::string utf8;
    std::string error;
    if (!fs::is_regular_file(path)) {
        log.Problem(path.string() + ": missing; the content file is kept as menl.txt (UTF-8 text)");
        return false;
    }
    if (!ReadFileBytes(path, utf8, error)) {
        log.Problem(error);
        return false;
    }
    TextPlace place;
    if (!ContentTextToCp1250(utf8, cp1250, place, error)) {
        log.Problem(path.string() + ":" + std::to_string(place.line) + ":" + std::to_string(place.column) + ": " +
                    error);
        return false;
    }
    if (cp1250.size() > ContentSet::kMaxFileSize) {
        log.Problem(path.string() + ": " + std::to_string(cp1250.size()) +
                    " bytes as Windows-1250, more than the program reads (204,800)");
        return false;
    }
    return true;
}

std::string PlaceText(const fs::path& path, const std::string& cp1250, std::size_t offset)
{
    const TextPlace place = PlaceOfByte(cp1250, offset);
    return path.string() + ":" + std::to_string(place.line) + ":" + std::to_string(place.column);
}

bool ParseContent(const fs::path& path, const std::string& cp1250, ContentSet& content, BuildLog& log)
{
    ContentParseReport report;
    try {
        content.LoadFromStream(MemoryStream(cp1250.data(), cp1250.size()), &report);
    } catch (const ContentError& error) {
        log.Problem(PlaceText(path, cp1250, report.stopOffset) + ": " + error.what() +
                    " (a content file begins with F¨)");
        return false;
    }
    if (report.commentUnclosed)
        log.Warning(PlaceText(path, cp1250, report.commentOffset) +
                    ": this comment is never closed, so the program ignores everything after it");
    else if (report.stoppedEarly)
        log.Warning(PlaceText(path, cp1250, report.stopOffset) + ": \"" + ContentTextToUtf8(report.stopToken) +
                    "\" starts no element here, so the program ignores the rest of the file");
    return true;
}

// Builds the content directory in `out` from the files of `source`.
class Builder {
public:
    Builder(const fs::path& source, const fs::path& out, BuildLog& log) : source_(source), out_(out), log_(log) {}

    void Run(const std::string& cp1250, const PictureNeeds& needs)
    {
        FileTree tree;
        std::string error;
        if (!ListFileTree(source_, tree, error)) {
            log_.Problem(error);
            return;
        }
        for (const fs::path& folder : tree.folders)
            fs::create_directories(out_ / folder);
        for (const fs::path& file : tree.files)
            Convert(file, needs);
        CheckNeeds(needs);
        Write(fs::path(kContentFileName), cp1250);
    }

private:
    void Convert(const fs::path& relative, const PictureNeeds& needs)
    {
        if (relative == kSourceTextName)
            return;
        if (relative.parent_path().empty() && SameNameIgnoringCase(relative.string(), std::string(kContentFileName))) {
            log_.Problem((source_ / relative).string() +
                         ": a source folder keeps the content file as menl.txt; remove this menl.dat");
            return;
        }
        const ContentFolder folder = FolderOf(relative);
        const std::string extension = LowerExtension(relative);
        if (folder == ContentFolder::Pictures && extension == "tbb") {
            Claim(relative, relative);
            found_.insert(KeyOfPictureFile(relative));
            Copy(relative);
        } else if (folder == ContentFolder::Pictures && IsPictureExtension(extension)) {
            found_.insert(KeyOfPictureFile(relative));
            Picture(relative, needs.UsesOf(KeyOfPictureFile(relative)));
        } else if (folder == ContentFolder::Clips && extension == "wav") {
            Clip(relative);
        } else {
            Claim(relative, relative);
            Copy(relative);
        }
    }

    // Records that `from` makes the output file `to`; two source files that
    // make the same file (kot.png and kot.jpg, or Kot.png and kot.png, which
    // the program cannot tell apart) are a problem.
    bool Claim(const fs::path& from, const fs::path& to)
    {
        const auto [at, added] = made_.emplace(FoldedName(to.generic_string()), from);
        if (added)
            return true;
        log_.Problem((source_ / from).string() + " and " + at->second.generic_string() + " would both make " +
                     to.generic_string() + ": keep one of them");
        return false;
    }

    void Picture(const fs::path& relative, PictureUses uses)
    {
        const fs::path target = WithExtension(relative, kPictureExtension);
        if (!Claim(relative, target))
            return;
        CoveragePicture coverage;
        std::string error;
        const fs::path path = source_ / relative;
        PictureSize original;
        if (!ImportPicture(path.string(), uses, coverage, error, &original)) {
            log_.Problem(path.string() + ": " + error);
            return;
        }
        NoteReduction(relative, uses, original, coverage);
        WritePacked(target, coverage);
    }

    void NoteReduction(const fs::path& relative, PictureUses uses, PictureSize original,
                       const CoveragePicture& coverage)
    {
        if (original.width == coverage.Width() && original.height == coverage.Height())
            return;
        std::string names;
        for (const PictureUse use : {PictureUse::SoundMarker, PictureUse::Group, PictureUse::TitleEntry,
                                     PictureUse::Item, PictureUse::HelpPage}) {
            if ((uses & UseBit(use)) != 0)
                names += (names.empty() ? "" : ", ") + std::string(PictureUseName(use));
        }
        log_.Note(relative.generic_string() + ": " + std::to_string(original.width) + " x " +
                  std::to_string(original.height) + " reduced to " + std::to_string(coverage.Width()) + " x " +
                  std::to_string(coverage.Height()) + ", as large as the program ever shows it (" +
                  (names.empty() ? std::string("packed picture") : names) + ")");
    }

    void WritePacked(const fs::path& target, const CoveragePicture& coverage)
    {
        const std::vector<std::uint8_t> packed = PackTbb(coverage);
        Write(target, std::string(packed.begin(), packed.end()));
    }

    void Clip(const fs::path& relative)
    {
        const fs::path target = WithExtension(relative, kClipExtension);
        if (!Claim(relative, target))
            return;
        const fs::path path = source_ / relative;
        std::string bytes;
        std::string error;
        if (!ReadFileBytes(path, bytes, error)) {
            log_.Problem(error);
            return;
        }
        std::vector<std::uint8_t> wave(bytes.begin(), bytes.end());
        if (const std::string problem = ClipProblem(wave); !problem.empty() || !ScrambleClip(wave)) {
            log_.Problem(path.string() + ": " + (problem.empty() ? "not a WAVE file" : problem));
            return;
        }
        Write(target, std::string(wave.begin(), wave.end()));
    }

    // Every picture the content names must be there, but for the sound
    // marker, which the program's own stands in for.
    void CheckNeeds(const PictureNeeds& needs)
    {
        const fs::path pictures = fs::path(kDataFolder) / kPictureFolder;
        for (const auto& [key, need] : needs.All()) {
            if (found_.count(key) != 0)
                continue;
            if (need.uses == UseBit(PictureUse::SoundMarker)) {
                DefaultMarker(pictures);
                continue;
            }
            log_.Problem((source_ / pictures).string() + ": no picture \"" + need.name + "\" (" + need.name +
                         ".png, .jpg or any picture format) for " + need.user);
        }
    }

    void DefaultMarker(const fs::path& pictures)
    {
        const fs::path target = pictures / (std::string(kSoundMarkerName) + std::string(kPictureExtension));
        CoveragePicture coverage;
        std::string error;
        if (!Claim(target, target) ||
            !ImportPicture(DefaultSoundMarker(), UseBit(PictureUse::SoundMarker), coverage, error))
            return;
        fs::create_directories(out_ / pictures);
        WritePacked(target, coverage);
        log_.Note(target.generic_string() + ": the program's own sound marker, as the source has none");
    }

    void Copy(const fs::path& relative)
    {
        std::string bytes;
        std::string error;
        if (!ReadFileBytes(source_ / relative, bytes, error))
            log_.Problem(error);
        else
            Write(relative, bytes);
    }

    void Write(const fs::path& relative, const std::string& bytes)
    {
        std::string error;
        if (!WriteBytes((out_ / relative).string(), bytes.data(), bytes.size(), error))
            log_.Problem(error);
    }

    fs::path source_;
    fs::path out_;
    BuildLog& log_;
    std::map<std::u32string, fs::path> made_;
    std::set<PictureKey> found_;
};

}  // namespace

const char* const kBuildHelp = "usage: velmora-content build [--force] SOURCE_DIR CONTENT_DIR\n"
                               "Makes the content directory CONTENT_DIR from the ordinary files in\n"
                               "SOURCE_DIR, the reverse of 'export':\n"
                               "  menl.txt             the content file as UTF-8 text, written as menl.dat\n"
                               "                       in Windows-1250\n"
                               "  Data/gra/NAME.*      pictures in any format Qt reads (PNG, JPEG, ...),\n"
                               "                       packed as NAME.tbb: laid onto white, darkness is ink;\n"
                               "                       a picture larger than the program shows it is reduced\n"
                               "  Data/sou/NAME.wav    WAVE files the program plays, written as NAME.cw\n"
                               "  anything else        copied as it is (Data/pre pages, .tbb and .cw files)\n"
                               "Without a sound-marker picture (Data/gra/traba.*) the program's own is used.\n"
                               "CONTENT_DIR must not exist or be empty; --force replaces it. It is written\n"
                               "whole or not at all. Exits 1, naming every bad file, when anything is wrong.\n"
                               "docs/content.md describes the files.\n";

int RunBuild(const Arguments& args)
{
    fs::path source, target;
    bool force = false;
    if (!ParseDirectoryPair(args, source, target, force))
        return BadArguments(kBuildHelp);
    if (!fs::is_directory(source))
        return Fail(kCommand, source.string() + ": not a folder");
    if (FoldersOverlap(source, target))
        return Fail(kCommand, "the source folder and the content directory must lie apart, neither inside the other");
    StagedDirectory staged;
    std::string error;
    if (!staged.Begin(target, force, error))
        return Fail(kCommand, error);

    BuildLog log;
    std::string cp1250;
    ContentSet content;
    if (!ReadContentText(source, log, cp1250) || !ParseContent(source / kSourceTextName, cp1250, content, log))
        return kExitBadFile;
    Builder(source, staged.Path(), log).Run(cp1250, PictureNeeds(content));
    if (log.Failed())
        return kExitBadFile;
    if (!staged.Commit(error))
        return Fail(kCommand, error);
    return kExitOk;
}

}  // namespace velmora::tool
