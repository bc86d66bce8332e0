// The content file parser on arbitrary bytes, then the display preparation
// of everything it built, at the scales the windows use.

#include <cstdint>
#include <cstring>

#include "content/ContentSet.h"

namespace {

using velmora::ContentItem;
using velmora::ContentSet;

// Items have no picture files here; each gets a small picture whose size
// follows its texts, so that scaling and rendering see varied sizes.
void GivePictures(ContentItem& item)
{
    auto picture = std::make_shared<velmora::CoveragePicture>();
    picture->SetSize(1 + static_cast<int>(item.name.size() % 13), 1 + static_cast<int>(item.fileName.size() % 11));
    if (picture->Data() != nullptr)
        std::memset(picture->Data(), static_cast<int>(item.name.size() * 37),
                    static_cast<std::size_t>(picture->Width()) * picture->Height());
    item.image = std::move(picture);
    for (const auto& child : item.children)
        GivePictures(*child);
}

void PrepareAtScales(ContentItem& item)
{
    for (const float scale : {0.36f, 0.6f, 1.0f, 1.7f}) {
        item.SetScale(velmora::Scope::Tree, scale);
        item.Prepare(velmora::Scope::Tree);
        item.PrepareTwoColour(0x00000000, 0x00F1ECE7, velmora::Scope::Tree);
        item.ConvertBitmapToGrey(velmora::Scope::Tree);
        item.Invalidate(velmora::Scope::Tree);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ContentSet content;
    try {
        content.LoadFromStream(velmora::MemoryStream(data, size));
    } catch (const velmora::ContentError&) {
        return 0;
    }
    for (const auto& group : content.menuItems) {
        GivePictures(*group);
        GivePictures(group->title);
        PrepareAtScales(*group);
        PrepareAtScales(group->title);
    }
    GivePictures(content.helpPages);
    PrepareAtScales(content.helpPages);
    return 0;
}
