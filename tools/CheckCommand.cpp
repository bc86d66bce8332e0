// velmora-content check DIR: everything that is wrong with a content directory.

#include <cstdio>
#include <string>
#include <vector>

#include "content/ContentLayout.h"
#include "content/ContentSet.h"
#include "core/ContentPath.h"
#include "core/FileStream.h"
#include "core/TextEncoding.h"
#include "platform/JpegDecoder.h"
#include "sound/ClipFile.h"
#include "tools/ClipCheck.h"
#include "tools/Commands.h"

namespace velmora::tool {

namespace {

constexpr std::size_t kMaxPresentationPage = 256u << 20;

// Collects findings; problems make the check fail, notes do not.
class Findings {
public:
    void Problem(const std::string& where, const std::string& what)
    {
        std::printf("%s: %s\n", where.c_str(), what.c_str());
        ++problems_;
    }
    void Note(const std::string& where, const std::string& what)
    {
        std::printf("%s: note: %s\n", where.c_str(), what.c_str());
    }
    int Problems() const { return problems_; }

private:
    int problems_ = 0;
};

std::string Describe(const char* kind, int index, const ContentItem& item)
{
    return std::string(kind) + " " + std::to_string(index) + " \"" + Cp1250ToUtf8(item.name) + "\"";
}

// Loads a picture as the program does; true when it decodes.
bool CheckPicture(Findings& findings, const std::string& where, const std::string& contentPath)
{
    const std::string path = ResolveContentPath(contentPath);
    CoveragePicture image;
    LoadError error = LoadError::None;
    if (image.LoadFromFile(path, &error))
        return true;
    findings.Problem(where, "picture " + path + ": " + LoadErrorText(error));
    return false;
}

void CheckClip(Findings& findings, const std::string& where, const ContentItem& item)
{
    const std::string path = ResolveContentPath(item.ClipPath());
    if (!IsExistingFile(path)) {
        findings.Problem(where, "clip " + path + ": missing (the item shows no sound marker)");
        return;
    }
    std::vector<std::uint8_t> clip;
    if (!ReadWholeFile(path, clip, kMaxClipFileSize)) {
        findings.Problem(where, "clip " + path + ": cannot be read, or larger than the program reads");
        return;
    }
    if (const std::string problem = ClipProblem(clip); !problem.empty())
        findings.Problem(where, "clip " + path + ": " + problem);
}

void CheckItemList(Findings& findings, const std::string& owner, const char* kind, const ContentItem& parent)
{
    for (int i = 0; i < parent.ChildCount(); ++i) {
        const ContentItem& item = *parent.ChildAt(i);
        const std::string where = owner + ", " + Describe(kind, i, item);
        if ((item.flags & kHasPicture) != 0)
            CheckPicture(findings, where, item.PicturePath());
        if ((item.flags & kHasSound) != 0)
            CheckClip(findings, where, item);
    }
}

void CheckGroups(Findings& findings, const ContentSet& data)
{
    for (int g = 0; g < data.MenuItemCount(); ++g) {
        const MenuGroup& group = *data.MenuItemAt(g);
        const std::string where = Describe("group", g, group);
        if ((group.flags & kHasPicture) != 0)
            CheckPicture(findings, where, group.PicturePath());
        CheckItemList(findings, where, "title entry", group.title);
        CheckItemList(findings, where, "item", group);
    }
}

void CheckHelpPages(Findings& findings, const ContentSet& data)
{
    for (int p = 0; p < data.helpPages.ChildCount(); ++p) {
        const ContentItem& page = *data.helpPages.ChildAt(p);
        const std::string where = Describe("help page", p, page);
        CheckPicture(findings, where, page.PicturePath());
        bool keyed = false;
        for (const auto& group : data.menuItems)
            keyed = keyed || group->fileName == page.name;
        if (page.name.empty())
            findings.Note(where, "no key: the help window opens here only when no group is selected");
        else if (!keyed)
            findings.Note(where, "no group has the file name \"" + Cp1250ToUtf8(page.name) +
                                     "\", so no group opens the help at this page");
    }
}

void CheckPresentation(Findings& findings, const ContentSet& data)
{
    for (int p = 0; p < data.presentation.ChildCount(); ++p) {
        const ContentItem& page = *data.presentation.ChildAt(p);
        const std::string where = Describe("presentation page", p, page);
        const std::string path = ResolveContentPath(page.PagePath());
        if (!IsExistingFile(path)) {
            findings.Problem(where, "page " + path + ": missing");
            continue;
        }
        std::vector<std::uint8_t> bytes;
        Bitmap picture;
        std::string error;
        if (!ReadWholeFile(path, bytes, kMaxPresentationPage))
            findings.Problem(where, "page " + path + ": cannot be read, or larger than 256 MiB");
        else if (!JpegDecoder::Decode(bytes.data(), bytes.size(), picture, &error))
            findings.Problem(where, "page " + path + ": not a decodable JPEG picture (" + error + ")");
    }
}

void ReportParse(Findings& findings, const ContentParseReport& report)
{
    if (!report.stoppedEarly)
        return;
    findings.Problem(std::string(kContentFileName),
                     "reading stopped at byte " + std::to_string(report.stopOffset) + " at the token \"" +
                         Cp1250ToUtf8(report.stopToken) +
                         "\", which starts no element there; the rest of the file is ignored");
}

}  // namespace

const char* const kCheckHelp =
    "usage: velmora-content check DIR\n"
    "Loads DIR/menl.dat as the program does (with DIR as the current directory) and\n"
    "lists every problem: pictures that are missing or do not decode, clips that are\n"
    "missing or cannot be played, presentation pages that are missing or are not\n"
    "JPEG pictures, where reading the content file stopped, and help pages that no\n"
    "group opens. Paths are shown as the program resolves them.\n"
    "Exits 0 when the program would start and every file is usable, 1 otherwise.\n";

int RunCheck(const Arguments& args)
{
    if (!EnterContentDirectory("check", args[0]))
        return kExitBadFile;

    Findings findings;
    ContentSet data;
    ContentParseReport report;
    try {
        data.LoadFromFile(std::string(kContentFileName), &report);
    } catch (const ContentError& error) {
        findings.Problem(std::string(kContentFileName),
                         std::string(error.what()) + " (at byte " + std::to_string(report.stopOffset) + ")");
        return kExitBadFile;
    }
    ReportParse(findings, report);
    CheckPicture(findings, "sound marker", PictureContentPath(kSoundMarkerName));
    CheckGroups(findings, data);
    CheckHelpPages(findings, data);
    CheckPresentation(findings, data);
    std::printf("%d group(s), %d help page(s), %d link(s), %d presentation page(s): %d problem(s)\n",
                data.MenuItemCount(), data.helpPages.ChildCount(), data.presentation.title.ChildCount(),
                data.presentation.ChildCount(), findings.Problems());
    return findings.Problems() == 0 ? kExitOk : kExitBadFile;
}

}  // namespace velmora::tool
