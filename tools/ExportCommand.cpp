// velmora-content export CONTENT_DIR SOURCE_DIR: a content directory as the
// ordinary files an author edits, the reverse of build.

#include <QImage>

#include <algorithm>
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "content/ContentLayout.h"
#include "core/ContentName.h"
#include "core/MemoryStream.h"
#include "sound/ClipFile.h"
#include "tools/Commands.h"
#include "tools/ContentFiles.h"
#include "tools/ContentText.h"
#include "tools/PictureFiles.h"
#include "tools/StagedDirectory.h"

namespace velmora::tool {

namespace {

namespace fs = std::filesystem;

constexpr char kCommand[] = "export";

// Writes every file of a content directory in its ordinary form; problems
// are reported as found and fail the export at the end.
class Exporter {
public:
    Exporter(const fs::path& content, const fs::path& out) : content_(content), out_(out) {}

    bool Run()
    {
        FileTree tree;
        std::string error;
        if (!ListFileTree(content_, tree, error))
            return Problem(error);
        // The program finds its content file in any letter case; the exact name wins.
        const auto named = [&tree](auto same) { return std::find_if(tree.files.begin(), tree.files.end(), same); };
        auto found = named([](const fs::path& file) { return file == kContentFileName; });
        if (found == tree.files.end())
            found = named([](const fs::path& file) {
                return !file.has_parent_path() && SameNameIgnoringCase(file.string(), std::string(kContentFileName));
            });
        if (found == tree.files.end())
            return Problem((content_ / kContentFileName).string() + ": missing; this is not a content directory");
        contentFile_ = *found;
        for (const fs::path& folder : tree.folders)
            fs::create_directories(out_ / folder);
        for (const fs::path& file : tree.files)
            Export(file);
        return ok_;
    }

private:
    bool Problem(const std::string& message)
    {
        ReportError(kCommand, message);
        ok_ = false;
        return false;
    }

    void Export(const fs::path& relative)
    {
        std::string bytes;
        std::string error;
        if (!ReadFileBytes(content_ / relative, bytes, error)) {
            Problem(error);
            return;
        }
        const ContentFolder folder = FolderOf(relative);
        const std::string extension = LowerExtension(relative);
        if (relative == contentFile_)
            Write(relative, "menl.txt", ContentTextToUtf8(bytes));
        else if (folder == ContentFolder::Pictures && extension == "tbb")
            Picture(relative, bytes);
        else if (folder == ContentFolder::Clips && extension == "cw")
            Clip(relative, bytes);
        else
            Write(relative, relative, bytes);
    }

    void Picture(const fs::path& relative, const std::string& bytes)
    {
        CoveragePicture coverage;
        MemoryStream stream(bytes.data(), bytes.size());
        LoadError reason = LoadError::None;
        std::vector<std::uint8_t> png;
        if (!coverage.LoadFromStream(stream, &reason)) {
            Problem((content_ / relative).string() + ": not a packed picture the program reads (" +
                    LoadErrorText(reason) + ")");
            return;
        }
        if (coverage.Width() == 0 || coverage.Height() == 0) {
            Problem((content_ / relative).string() + ": an empty picture, which no picture file can hold");
            return;
        }
        if (!EncodeImage(ImageFromCoverage(coverage), "PNG", -1, png)) {
            Problem((content_ / relative).string() + ": cannot be encoded as PNG");
            return;
        }
        Write(relative, WithExtension(relative, ".png"), std::string(png.begin(), png.end()));
    }

    void Clip(const fs::path& relative, const std::string& bytes)
    {
        std::vector<std::uint8_t> clip(bytes.begin(), bytes.end());
        UnscrambleClip(std::span<std::uint8_t>(clip));
        Write(relative, WithExtension(relative, ".wav"), std::string(clip.begin(), clip.end()));
    }

    // Two content files that make the same ordinary file (kot.tbb and
    // kot.png) cannot both be exported.
    void Write(const fs::path& from, const fs::path& to, const std::string& bytes)
    {
        const auto [at, added] = made_.emplace(FoldedName(to.generic_string()), from);
        if (!added) {
            Problem((content_ / from).string() + " and " + at->second.generic_string() + " would both be exported as " +
                    to.generic_string());
            return;
        }
        std::string error;
        if (!WriteBytes((out_ / to).string(), bytes.data(), bytes.size(), error))
            Problem(error);
    }

    fs::path content_;
    fs::path out_;
    fs::path contentFile_;
    bool ok_ = true;
    std::map<std::u32string, fs::path> made_;
};

}  // namespace

const char* const kExportHelp = "usage: velmora-content export [--force] CONTENT_DIR SOURCE_DIR\n"
                                "Writes the content directory CONTENT_DIR as ordinary files in SOURCE_DIR,\n"
                                "in the same folders, for editing and 'build':\n"
                                "  menl.dat             as menl.txt, the same text in UTF-8\n"
                                "  Data/gra/NAME.tbb    as NAME.png, dark ink on white\n"
                                "  Data/sou/NAME.cw     as NAME.wav, the WAVE file the program plays\n"
                                "  anything else        copied as it is\n"
                                "SOURCE_DIR must not exist or be empty; --force replaces it. It is written\n"
                                "whole or not at all. Exits 1, naming every bad file, when anything is wrong.\n";

int RunExport(const Arguments& args)
{
    fs::path content, target;
    bool force = false;
    if (!ParseDirectoryPair(args, content, target, force))
        return BadArguments(kExportHelp);
    if (!fs::is_directory(content))
        return Fail(kCommand, content.string() + ": not a folder");
    if (FoldersOverlap(content, target))
        return Fail(kCommand, "the content directory and the source folder must lie apart, neither inside the other");
    StagedDirectory staged;
    std::string error;
    if (!staged.Begin(target, force, error))
        return Fail(kCommand, error);
    if (!Exporter(content, staged.Path()).Run())
        return kExitBadFile;
    if (!staged.Commit(error))
        return Fail(kCommand, error);
    return kExitOk;
}

}  // namespace velmora::tool
