#include "content/Cfonetitem.h"

#include <stdexcept>

#include "core/Contentpath.h"

namespace velmora {

// Members go in reverse order of declaration: the children (through their
// virtual destructors) before the item's own bitmap, picture and names.
CFonetItem::~CFonetItem() = default;

bool CFonetItem::Load(TScope scope)
{
    bool result = true;
    if (scope != scopeChildren && (flags & ifPicture) != 0) {
        if (image.LoadFromFile(ResolveContentPath(PicturePath())))
            image.Invert();
        else
            result = false;
    }
    if (scope == scopeSelf)
        return result;
    for (const auto& child : children) {
        if (!child->Load(scopeTree))
            result = false;
    }
    return result;
}

void CFonetItem::AddChild(std::unique_ptr<CFonetItem> item)
{
    if (item)
        children.push_back(std::move(item));
}

CFonetItem* CFonetItem::ChildAt(int index) const
{
    if (index < 0 || index >= ChildCount())
        throw std::out_of_range("child index out of range");
    return children[static_cast<std::size_t>(index)].get();
}

std::string CFonetItem::PicturePath() const
{
    return "Data\\gra\\" + fileName + ".tbb";
}

}  // namespace velmora
