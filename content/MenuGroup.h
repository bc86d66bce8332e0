#pragma once

#include "content/ContentItem.h"

namespace velmora {

// One menu group: its children are the group's exercise items, and `title`
// carries the group's picture and, as its own children, the title entries
// shown in the title bar.
class MenuGroup : public ContentItem {
public:
    MenuGroup() = default;
    ~MenuGroup() override;

    // The base load, then (unless the scope is only the children) the
    // group's picture shared with `title` and the loading of the title
    // entries. The menu draws every group's picture and title entries as
    // soon as the window shows, so theirs are decoded with the load; the
    // items' when their group is first shown.
    using ContentItem::Load;
    bool Load(Scope scope, PictureStore& pictures) override;

    ContentItem title;
};

}  // namespace velmora
