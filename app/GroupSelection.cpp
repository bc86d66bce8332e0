#include "app/GroupSelection.h"

#include "app/MainWindowLook.h"
#include "content/ContentSet.h"
#include "content/MenuGroup.h"

namespace velmora::app {

MenuGroup* GroupSelection::Selected() const
{
    const std::int32_t selected = content_.selectedMenuItem;
    if (selected < 0 || selected >= content_.MenuItemCount())
        return nullptr;
    return content_.MenuItemAt(selected);
}

MenuGroup* GroupSelection::Shown() const
{
    return shown_ >= 0 ? content_.MenuItemAt(shown_) : nullptr;
}

void GroupSelection::Select(std::int32_t index, bool shown)
{
    if (MenuGroup* previous = Selected())
        previous->Prepare(Scope::Self);
    if (index != -1)
        content_.MenuItemAt(index)->PrepareTwoColour(look::CoreColour(Qt::black),
                                                     look::CoreColour(look::kSelectedMenuFill), Scope::Self);
    content_.selectedMenuItem = index;
    shown_ = shown ? index : -1;
}

int GroupSelection::HeadingPassOn(std::int32_t previousGroup, bool byKey)
{
    return byKey && previousGroup > kHeadingTile ? kHeadingTile - 1 : kHeadingTile + 1;
}

}  // namespace velmora::app
