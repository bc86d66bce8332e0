#include "tools/ContentAdvice.h"

#include "content/ContentLayout.h"
#include "core/ContentName.h"
#include "core/TextEncoding.h"

#include <set>

namespace velmora::tool {

namespace {

// The menu tile that acts as a heading, and the group it opens.
constexpr int kHeadingTile = 8;
constexpr int kSmallestFullMenu = kHeadingTile + 2;

// Share of a picture, in per cent, whose pixels are at least half ink, from
// which it counts as ink almost everywhere.
constexpr int kMostlyInkPercent = 90;

std::string Named(const char* kind, int index, const ContentItem& item)
{
    std::string text(kind);
    text += ' ';
    text += std::to_string(index);
    text += " \"";
    text += Cp1250ToUtf8(item.name);
    text += '"';
    return text;
}

int MostlyInkPercent(const CoveragePicture& loaded)
{
    const std::size_t pixels = static_cast<std::size_t>(loaded.Width()) * loaded.Height();
    const std::uint8_t* values = loaded.Data();
    std::size_t inked = 0;
    for (std::size_t p = 0; p < pixels; ++p)
        inked += values[p] < 128 ? 1 : 0;
    return pixels == 0 ? 0 : static_cast<int>(inked * 100 / pixels);
}

}  // namespace

std::vector<Advice> ContentShapeAdvice(const ContentSet& content,
                                       const std::function<bool(const ContentItem&)>& clipExists)
{
    std::vector<Advice> advice;
    const int groups = content.MenuItemCount();
    if (groups > 0 && groups < kSmallestFullMenu)
        advice.push_back({std::string(kContentFileName),
                          std::to_string(groups) + " group(s): the ninth menu tile is a heading that opens the "
                                                   "tenth group, so a menu is laid out for ten groups or more"});
    if (groups > kHeadingTile && content.MenuItemAt(kHeadingTile)->ChildCount() > 0)
        advice.push_back({Named("group", kHeadingTile, *content.MenuItemAt(kHeadingTile)),
                          "its items are never shown: the ninth tile is a heading, and a click on it opens the "
                          "tenth group"});
    // A file that is also some group's first clip does play, there.
    std::set<std::u32string> playing;
    for (const auto& group : content.menuItems)
        if (group->ChildCount() > 0)
            playing.insert(FoldedName(Cp1250ToUtf8(group->ChildAt(0)->ClipPath())));
    for (int g = 0; g < groups; ++g) {
        const MenuGroup& group = *content.MenuItemAt(g);
        for (int i = 1; i < group.ChildCount(); ++i) {
            const ContentItem& item = *group.ChildAt(i);
            if (playing.count(FoldedName(Cp1250ToUtf8(item.ClipPath()))) == 0 && clipExists(item))
                advice.push_back({Named("group", g, group) + ", " + Named("item", i, item),
                                  "has a clip that never plays: only the first item of a group plays its word"});
        }
    }
    return advice;
}

std::vector<std::string> PictureAdvice(const CoveragePicture& picture, PictureUse use)
{
    std::vector<std::string> advice;
    const PictureSize size{picture.Width(), picture.Height()};
    if (LargerThanShown(size, UseBit(use))) {
        const PictureBox box = LargestShown(use);
        const PictureSize fitted = FittingSize(size, UseBit(use));
        advice.push_back(std::to_string(size.width) + " x " + std::to_string(size.height) +
                         " pixels, larger than the program ever shows a " + std::string(PictureUseName(use)) + " (" +
                         std::to_string(box.width) + (box.height > 0 ? " x " + std::to_string(box.height) : " wide") +
                         "); " + std::to_string(fitted.width) + " x " + std::to_string(fitted.height) +
                         " would show the same and load faster");
    }
    if (const int inked = MostlyInkPercent(picture); inked >= kMostlyInkPercent)
        advice.push_back("ink covers " + std::to_string(inked) +
                         " % of it, so it shows almost black: is it inverted, or a photo without a white "
                         "background?");
    return advice;
}

}  // namespace velmora::tool
