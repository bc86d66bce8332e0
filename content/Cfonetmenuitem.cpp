#include "content/Cfonetmenuitem.h"

namespace velmora {

// `title` is destroyed before the base part, so the title entries go before
// the group's own items.
CFonetMenuItem::~CFonetMenuItem() = default;

bool CFonetMenuItem::Load(TScope scope)
{
    const bool result = CFonetItem::Load(scope);
    if (scope == scopeChildren)
        return result;
    if ((flags & ifPicture) != 0) {
        title.flags = flags;
        title.image.Assign(image);
    }
    if (!title.Load(scopeChildren))
        return false;
    return result;
}

}  // namespace velmora
