#include "content/MenuGroup.h"

namespace velmora {

// `title` is destroyed before the base part, so the title entries go before
// the group's own items.
MenuGroup::~MenuGroup() = default;

bool MenuGroup::Load(Scope scope)
{
    const bool result = ContentItem::Load(scope);
    if (scope == Scope::Children)
        return result;
    if ((flags & kHasPicture) != 0) {
        title.flags = flags;
        title.image.Assign(image);
    }
    if (!title.Load(Scope::Children))
        return false;
    return result;
}

}  // namespace velmora
