#include "content/MenuGroup.h"

namespace velmora {

// `title` is destroyed before the base part, so the title entries go before
// the group's own items.
MenuGroup::~MenuGroup() = default;

bool MenuGroup::Load(Scope scope, PictureStore& pictures)
{
    bool result = true;
    if (scope != Scope::Children)
        result = Load(Scope::Self, pictures, PictureDecoding::AtLoad);
    if (scope != Scope::Self)
        result = Load(Scope::Children, pictures, PictureDecoding::OnFirstUse) && result;
    if (scope == Scope::Children)
        return result;
    // The title shows the group's own picture: it shares it rather than
    // holding a copy, since neither ever changes it.
    if ((flags & kHasPicture) != 0) {
        title.flags = flags;
        title.image = image;
    }
    if (!title.Load(Scope::Children, pictures, PictureDecoding::AtLoad))
        return false;
    return result;
}

}  // namespace velmora
