// The content file parser on arbitrary bytes, then the display preparation
// of everything it built, at the scales the windows use.

#include <cstdint>
#include <cstring>

#include "content/Cprogdata.h"

namespace {

using velmora::CFonetItem;
using velmora::CProgData;

// Items have no picture files here; each gets a small picture whose size
// follows its texts, so that scaling and rendering see varied sizes.
void GivePictures(CFonetItem& item)
{
    item.image.SetSize(1 + static_cast<int>(item.name.size() % 13), 1 + static_cast<int>(item.fileName.size() % 11));
    if (item.image.Data() != nullptr)
        std::memset(item.image.Data(), static_cast<int>(item.name.size() * 37), static_cast<std::size_t>(item.image.Width()) * item.image.Height());
    for (const auto& child : item.children)
        GivePictures(*child);
}

void PrepareAtScales(CFonetItem& item)
{
    for (const float scale : {0.36f, 0.6f, 1.0f, 1.7f}) {
        item.SetScale(velmora::scopeTree, scale);
        item.Prepare(velmora::scopeTree);
        item.PrepareTwoColour(0x00F1ECE7, 0x00000000, velmora::scopeTree);
        item.ConvertBitmapToGrey(velmora::scopeTree);
        item.Invalidate(velmora::scopeTree);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CProgData content;
    try {
        content.LoadFromStream(velmora::CMemoryStream(data, size));
    } catch (const velmora::EContentError&) {
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
