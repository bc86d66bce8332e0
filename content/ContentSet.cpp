#include "content/ContentSet.h"

#include <charconv>

#include "content/ContentTokenizer.h"
#include "core/ContentPath.h"
#include "core/ContentResolver.h"
#include "core/FileStream.h"

namespace velmora {

namespace {

constexpr std::string_view kFormatError = "Błędny format pliku zasobów!";
constexpr std::string_view kSizeError = "Błędny format pliku zasobów! (max 200KB)";
constexpr std::string_view kSectionMark = "\xA8";

std::unique_ptr<ContentItem> NewItem(std::string_view name, std::string_view fileName, std::uint8_t flags)
{
    auto item = std::make_unique<ContentItem>();
    item->name = name;
    item->fileName = fileName;
    item->flags = flags;
    return item;
}

// The recursive-descent reader of one content file. `cur` is the look-ahead
// token; every list ends at the first token that does not start one of its
// elements, and the element being read ends at any unexpected token.
class ContentParser {
public:
    ContentParser(ContentSet& target, const std::uint8_t* data, std::size_t size) : target_(target), tokens_(data, size)
    {}

    void Parse()
    {
        ReadHeader();
        Advance();
        while (cur_ == "#")
            ReadMenuItem();
        // Each section header's marker byte is read raw whether or not its
        // first byte matched, so a presentation section that does not follow
        // a help section header is never recognised.
        if (const std::string_view mark = tokens_.ReadToken(); cur_ == "P" && mark == kSectionMark)
            ReadHelpPages();
        if (const std::string_view mark = tokens_.ReadToken(); cur_ == "R" && mark == kSectionMark)
            ReadPresentation();
    }

    // The look-ahead token left when parsing ended. When it is the empty
    // text at the end of the data, the whole file was read.
    ContentParseReport Report() const
    {
        ContentParseReport report;
        report.stoppedEarly = !(cur_.empty() && curStart_ == tokens_.Size());
        report.stopOffset = curStart_;
        report.stopToken = cur_;
        report.commentUnclosed = tokens_.CommentUnclosed();
        report.commentOffset = tokens_.UnclosedCommentStart();
        return report;
    }

private:
    std::string_view Next() { return tokens_.ReadTokenSkippingComment(); }

    // Reads the next token as the new look-ahead, remembering where it began.
    void Advance()
    {
        cur_ = Next();
        curStart_ = tokens_.TokenStart();
    }

    void ReadHeader()
    {
        Advance();
        if (cur_ != "F")
            throw ContentError(LoadError::BadFormat, std::string(kFormatError));
        cur_ = tokens_.ReadToken();
        curStart_ = tokens_.TokenStart();
        if (cur_ != kSectionMark)
            throw ContentError(LoadError::BadFormat, std::string(kFormatError));
    }

    void ReadMenuItem()
    {
        auto menuItem = std::make_unique<MenuGroup>();
        Advance();
        if (cur_ == "#") {
            menuItem->flags |= kIndented;
            Advance();
        }
        menuItem->name = cur_;
        menuItem->fileName = Next();
        Advance();
        if (cur_ == "B") {
            menuItem->flags |= kHasPicture;
            Advance();
        }
        while (cur_ == "|")
            menuItem->title.AddChild(ReadEntry(kHasPicture));
        while (cur_ == "-") {
            // Only a group's first exercise item carries a recorded word.
            const std::uint8_t flags = menuItem->children.empty() ? kHasPicture | kHasSound : kHasPicture;
            menuItem->AddChild(ReadEntry(flags));
        }
        target_.AddMenuItem(std::move(menuItem));
    }

    void ReadHelpPages()
    {
        Advance();
        while (cur_ == "-") {
            const std::string_view name = Next();
            const std::string_view fileName = Next();
            auto page = NewItem(name, fileName, kHasPicture);
            page->value = ParseContentNumber(Next());
            target_.helpPages.AddChild(std::move(page));
            Advance();
        }
    }

    void ReadPresentation()
    {
        Advance();
        while (cur_ == "|")
            target_.presentation.title.AddChild(ReadEntry(kHasPicture | kInPresentation));
        while (cur_ == "-")
            target_.presentation.AddChild(ReadEntry(kInPresentation));
    }

    // Reads "name file" after the token that introduced the entry, and the
    // look-ahead token after it.
    std::unique_ptr<ContentItem> ReadEntry(std::uint8_t flags)
    {
        const std::string_view name = Next();
        const std::string_view fileName = Next();
        auto item = NewItem(name, fileName, flags);
        Advance();
        return item;
    }

    ContentSet& target_;
    ContentTokenizer tokens_;
    std::string_view cur_;
    std::size_t curStart_ = 0;
};

}  // namespace

ContentSet::~ContentSet()
{
    ClearMenuItems();
}

void ContentSet::LoadFromFile(const std::string& fileName, ContentParseReport* report)
{
    // One byte more than the limit is enough to refuse a larger file with
    // the size message without reading all of it.
    std::vector<std::uint8_t> bytes;
    LoadError error = LoadError::None;
    if (!ReadFile(ResolveContentPath(fileName), bytes, kMaxFileSize + 1, &error))
        throw ContentError(error, "Nie można odczytać pliku " + fileName);
    LoadFromStream(MemoryStream(std::move(bytes)), report);
}

void ContentSet::LoadFromStream(const MemoryStream& stream, ContentParseReport* report)
{
    ClearMenuItems();
    if (stream.Size() > kMaxFileSize) {
        if (report != nullptr)
            *report = ContentParseReport{true, kMaxFileSize, {}};
        throw ContentError(LoadError::TooLarge, std::string(kSizeError));
    }
    ContentParser parser(*this, stream.Data(), stream.Size());
    try {
        parser.Parse();
    } catch (const ContentError&) {
        if (report != nullptr)
            *report = parser.Report();
        throw;
    }
    if (report != nullptr)
        *report = parser.Report();
}

bool ContentSet::LoadResources(std::uint64_t pictureBudget, ContentFailure* firstFailure, PictureCheckRecord* record)
{
    // One resolver and one store for the whole load: each folder is read
    // once, and each picture file decoded once, however many items name it.
    // The first walk over the items only notes their files, which are then
    // decoded on every core; the second walk hands the pictures out.
    ContentResolver resolver;
    PictureStore pictures(resolver, pictureBudget, record);
    pictures.StartNoting();
    LoadPictures(pictures);
    pictures.DecodeNoted();
    const bool ok = LoadPictures(pictures);
    for (const auto& menuItem : menuItems) {
        for (const auto& entry : menuItem->children) {
            if (!resolver.FileExists(entry->ClipPath()))
                entry->flags &= static_cast<std::uint8_t>(~kHasSound);
        }
    }
    if (firstFailure != nullptr && pictures.FirstFailure())
        *firstFailure = *pictures.FirstFailure();
    return ok;
}

bool ContentSet::LoadPictures(PictureStore& pictures)
{
    bool ok = true;
    for (const auto& menuItem : menuItems)
        ok = menuItem->Load(Scope::Tree, pictures) && ok;
    return helpPages.Load(Scope::Tree, pictures) && ok;
}

void ContentSet::ClearMenuItems()
{
    selectedMenuItem = -1;
    menuItems.clear();
}

void ContentSet::AddMenuItem(std::unique_ptr<MenuGroup> item)
{
    if (item)
        menuItems.push_back(std::move(item));
}

MenuGroup* ContentSet::MenuItemAt(std::int32_t index) const
{
    if (index < 0 || index >= MenuItemCount())
        throw std::out_of_range("menu item index out of range");
    return menuItems[static_cast<std::size_t>(index)].get();
}

std::int32_t ParseContentNumber(std::string_view text)
{
    // from_chars takes a leading '-' but no '+'; strip one '+' and then
    // refuse a second sign ("+-5", "++5").
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-')
            return 0;
    }
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return 0;
    return value;
}

}  // namespace velmora
