// velmora-content check DIR: everything that is wrong with a content directory.

#include <cstdio>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

#include "content/ContentLayout.h"
#include "content/ContentLoad.h"
#include "content/PictureStore.h"
#include "core/ContentName.h"
#include "core/ContentPath.h"
#include "core/ContentResolver.h"
#include "core/FileStream.h"
#include "core/TextEncoding.h"
#include "platform/JpegDecoder.h"
#include "sound/ClipFile.h"
#include "tools/ClipCheck.h"
#include "tools/Commands.h"
#include "tools/ContentAdvice.h"
#include "tools/ContentText.h"

namespace velmora::tool {

namespace {

// Collects findings; problems make the check fail, warnings and notes do not.
class Findings {
public:
    void Warning(const std::string& where, const std::string& what)
    {
        std::printf("%s: warning: %s\n", where.c_str(), what.c_str());
        ++warnings_;
    }
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
    int Warnings() const { return warnings_; }

private:
    int problems_ = 0;
    int warnings_ = 0;
};

// UTF-8 text as shown on a terminal: control bytes, which could move the
// cursor or start an escape sequence, appear as \xNN.
std::string EscapeControlBytes(const std::string& utf8)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string shown;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 0xF];
        } else {
            shown += c;
        }
    }
    return shown;
}

// Text of the content (Windows-1250) as shown on a terminal.
std::string Printable(const std::string& cp1250)
{
    return EscapeControlBytes(Cp1250ToUtf8(cp1250));
}

std::string Describe(const char* kind, int index, const ContentItem& item)
{
    return std::string(kind) + " " + std::to_string(index) + " \"" + Printable(item.name) + "\"";
}

// What a check of one content directory shares: the resolver and the
// picture store of one load, as the program has them, and the paths that
// lead outside the directory, each noted once.
class ContentCheck {
public:
    explicit ContentCheck(Findings& findings) : findings_(findings), pictures_(resolver_) {}

    // The path as shown: resolved, or as the content names it when it names no file.
    std::string Shown(const std::string& contentPath, const std::string& resolved) const
    {
        return resolved.empty() ? Printable(contentPath) : resolved;
    }

    void NoteIfOutside(const std::string& where, const char* kind, const std::string& contentPath)
    {
        if (LeavesContentDirectory(contentPath) && outside_.insert(contentPath).second)
            findings_.Note(where,
                           std::string(kind) + " " + Printable(contentPath) + " leads outside the content directory");
    }

    // Loads a picture as the program does; true when it decodes.
    bool Picture(const std::string& where, const std::string& contentPath, PictureUse use)
    {
        NoteIfOutside(where, "picture", contentPath);
        LoadError error = LoadError::None;
        const auto picture = pictures_.Load(contentPath, &error);
        if (error == LoadError::None) {
            if (advised_.insert({contentPath, use}).second)
                for (const std::string& advice : PictureAdvice(*picture, use))
                    findings_.Warning(where, "picture " + resolver_.Resolve(contentPath) + ": " + advice);
            return true;
        }
        const std::string shown = Shown(contentPath, resolver_.Resolve(contentPath));
        if (error == LoadError::OverBudget)
            findings_.Problem(where, "picture " + shown + ": the content's distinct pictures take more than " +
                                         std::to_string(pictures_.BudgetBytes() >> 20) +
                                         " MiB once decoded, and the program refuses to load content past that");
        else
            findings_.Problem(where, "picture " + shown + ": " + LoadErrorText(error));
        return false;
    }

    void Clip(const std::string& where, const ContentItem& item)
    {
        const std::string contentPath = item.ClipPath();
        NoteIfOutside(where, "clip", contentPath);
        const std::string path = resolver_.Resolve(contentPath);
        const std::string shown = Shown(contentPath, path);
        const LoadError status = HasControlByte(contentPath) ? LoadError::BadName : RegularFileStatus(path);
        if (status == LoadError::NoFile) {
            findings_.Problem(where, "clip " + shown + ": missing (the item shows no sound marker)");
            return;
        }
        if (status != LoadError::None) {
            findings_.Problem(where,
                              "clip " + shown + ": " + LoadErrorText(status) + " (the item shows no sound marker)");
            return;
        }
        std::vector<std::uint8_t> clip;
        LoadError error = LoadError::None;
        if (!ReadWholeFile(path, clip, kMaxClipFileSize, &error)) {
            findings_.Problem(where, "clip " + shown + ": " +
                                         (error == LoadError::TooLarge ? "larger than the program reads (128 MiB)"
                                                                       : LoadErrorText(error)));
            return;
        }
        if (const std::string problem = ClipProblem(clip); !problem.empty())
            findings_.Problem(where, "clip " + shown + ": " + problem);
    }

    void Page(const std::string& where, const ContentItem& page)
    {
        const std::string contentPath = page.PagePath();
        NoteIfOutside(where, "page", contentPath);
        const std::string path = resolver_.Resolve(contentPath);
        const std::string shown = Shown(contentPath, path);
        const LoadError status = HasControlByte(contentPath) ? LoadError::BadName : RegularFileStatus(path);
        if (status != LoadError::None) {
            findings_.Problem(where, "page " + shown + ": " +
                                         (status == LoadError::NoFile ? "missing" : LoadErrorText(status)));
            return;
        }
        Bitmap picture;
        std::string error;
        if (!JpegDecoder::DecodeFile(path, picture, &error))
            findings_.Problem(where, "page " + shown + ": not a decodable JPEG picture (" + error + ")");
    }

    bool ClipExists(const ContentItem& item) { return resolver_.FileExists(item.ClipPath()); }

    Findings& findings() { return findings_; }

private:
    Findings& findings_;
    ContentResolver resolver_;
    PictureStore pictures_;
    std::set<std::string> outside_;
    std::set<std::pair<std::string, PictureUse>> advised_;
};

void CheckItemList(ContentCheck& check, const std::string& owner, const char* kind, const ContentItem& parent,
                   PictureUse use)
{
    for (int i = 0; i < parent.ChildCount(); ++i) {
        const ContentItem& item = *parent.ChildAt(i);
        const std::string where = owner + ", " + Describe(kind, i, item);
        if ((item.flags & kHasPicture) != 0)
            check.Picture(where, item.PicturePath(), use);
        if ((item.flags & kHasSound) != 0)
            check.Clip(where, item);
    }
}

void CheckGroups(ContentCheck& check, const ContentSet& data)
{
    for (int g = 0; g < data.MenuItemCount(); ++g) {
        const MenuGroup& group = *data.MenuItemAt(g);
        const std::string where = Describe("group", g, group);
        if ((group.flags & kHasPicture) != 0)
            check.Picture(where, group.PicturePath(), PictureUse::Group);
        CheckItemList(check, where, "item", group, PictureUse::Item);
        CheckItemList(check, where, "title entry", group.title, PictureUse::TitleEntry);
    }
}

void CheckHelpPages(ContentCheck& check, const ContentSet& data)
{
    std::unordered_set<std::string> groupFiles;
    for (const auto& group : data.menuItems)
        groupFiles.insert(group->fileName);
    for (int p = 0; p < data.helpPages.ChildCount(); ++p) {
        const ContentItem& page = *data.helpPages.ChildAt(p);
        const std::string where = Describe("help page", p, page);
        check.Picture(where, page.PicturePath(), PictureUse::HelpPage);
        if (page.name.empty())
            check.findings().Note(where, "no key: the help window opens here only when no group is selected");
        else if (groupFiles.count(page.name) == 0)
            check.findings().Note(where, "no group has the file name \"" + Printable(page.name) +
                                             "\", so no group opens the help at this page");
    }
}

void CheckPresentation(ContentCheck& check, const ContentSet& data)
{
    for (int p = 0; p < data.presentation.ChildCount(); ++p) {
        const ContentItem& page = *data.presentation.ChildAt(p);
        check.Page(Describe("presentation page", p, page), page);
    }
}

void CheckContentFile(Findings& findings, const ContentParseReport& report, const ContentSet& data)
{
    const std::string where(kContentFileName);
    if (report.commentUnclosed)
        findings.Problem(where, "the comment opened at byte " + std::to_string(report.commentOffset) +
                                    " is never closed: everything after it is ignored");
    else if (report.stoppedEarly)
        findings.Problem(where, "reading stopped at byte " + std::to_string(report.stopOffset) + " at the token \"" +
                                    Printable(report.stopToken) +
                                    "\", which starts no element there; the rest of the file is ignored");
    if (data.MenuItemCount() == 0)
        findings.Problem(where, "there is no menu group, so the program's menu is empty");
}

// A content file saved by a UTF-8 editor reads as garbled names, or is
// refused when its header's "¨" became two bytes.
bool ContentFileLooksLikeUtf8()
{
    std::vector<std::uint8_t> bytes;
    return ReadWholeFile(ResolveContentPath(std::string(kContentFileName)), bytes, ContentSet::kMaxFileSize) &&
           LooksLikeUtf8(std::string(bytes.begin(), bytes.end()));
}

constexpr char kUtf8Explanation[] =
    "the file looks like UTF-8; it must be Windows-1250 (`velmora-content build` converts it)";

// Reports a content file the program refuses; returns the exit status.
int RefuseContentFile(Findings& findings, LoadError reason, std::string what, const ContentParseReport& report)
{
    if (reason == LoadError::BadFormat || reason == LoadError::TooLarge)
        what += " (at byte " + std::to_string(report.stopOffset) + ")";
    else
        what += " (" + std::string(LoadErrorText(reason)) + ")";
    findings.Problem(std::string(kContentFileName), what);
    if (ContentFileLooksLikeUtf8())
        findings.Problem(std::string(kContentFileName), kUtf8Explanation);
    FinishStandardOutput("check");
    return kExitBadFile;
}

}  // namespace

const char* const kCheckHelp =
    "usage: velmora-content check DIR\n"
    "Loads DIR/menl.dat as the program does (with DIR as the current directory) and\n"
    "lists every problem: pictures that are missing or do not decode, pictures that\n"
    "together take more memory than the program allows, clips that are missing or\n"
    "cannot be played, presentation pages that are missing or are not JPEG pictures,\n"
    "a comment that is never closed, content with no group, and where reading the\n"
    "content file stopped. Warnings explain what the program accepts but shows\n"
    "otherwise than meant: a content file saved as UTF-8, fewer than ten groups (the\n"
    "ninth menu tile is a heading that opens the tenth), clips of items after a\n"
    "group's first (only the first plays), pictures larger than the program shows\n"
    "them and pictures that are ink almost everywhere. Notes name help pages that no\n"
    "group opens and paths that lead outside DIR. Paths are shown as the program resolves them; control bytes\n"
    "in names are shown as \\xNN.\n"
    "When the program would refuse the content, the first line names the first\n"
    "failure, as the program meets it.\n"
    "Exits 0 when the program would start and every file is usable, 1 otherwise;\n"
    "warnings and notes do not change it.\n";

int RunCheck(const Arguments& args)
{
    if (!EnterContentDirectory("check", args[0]))
        return kExitBadFile;

    Findings findings;
    ContentParseReport report;
    {
        // The program's own load gives the verdict; its pictures go before
        // the listing below, which explains it, loads them again.
        const ContentLoadResult load = LoadContent(&report);
        if (load.Content() == nullptr)
            return RefuseContentFile(findings, load.Failure().reason, load.Failure().message, report);
        if (!load.Ok())
            findings.Problem("program", "does not start: " + EscapeControlBytes(load.Failure().message));
    }
    // The tree as written: the load took the sound mark off items whose clip
    // is missing, and the listing names those clips.
    ContentSet data;
    try {
        data.LoadFromFile(std::string(kContentFileName), &report);
    } catch (const ContentError& error) {
        return RefuseContentFile(findings, error.Reason(), error.what(), report);
    }
    CheckContentFile(findings, report, data);
    if (ContentFileLooksLikeUtf8())
        findings.Warning(std::string(kContentFileName), kUtf8Explanation);
    ContentCheck check(findings);
    for (const Advice& advice :
         ContentShapeAdvice(data, [&check](const ContentItem& item) { return check.ClipExists(item); }))
        findings.Warning(advice.where, advice.what);
    check.Picture("sound marker", PictureContentPath(kSoundMarkerName), PictureUse::SoundMarker);
    CheckGroups(check, data);
    CheckHelpPages(check, data);
    CheckPresentation(check, data);
    std::printf("%d group(s), %d help page(s), %d link(s), %d presentation page(s): %d problem(s), %d warning(s)\n",
                data.MenuItemCount(), data.helpPages.ChildCount(), data.presentation.title.ChildCount(),
                data.presentation.ChildCount(), findings.Problems(), findings.Warnings());
    if (!FinishStandardOutput("check"))
        return kExitBadFile;
    return findings.Problems() == 0 ? kExitOk : kExitBadFile;
}

}  // namespace velmora::tool
