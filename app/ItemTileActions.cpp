#include "app/ItemTileActions.h"

#include <QWidget>

#include "app/MainWindowLayout.h"
#include "app/RepeatCycle.h"
#include "app/WidthScale.h"
#include "content/ContentItem.h"
#include "graphics/Bitmap.h"
#include "sound/ClipPlayer.h"

namespace velmora::app {
namespace {

bool HasSound(const ContentItem& item)
{
    return (item.flags & kHasSound) != 0;
}

}  // namespace

ItemTileActions::ItemTileActions(ClipPlayer& player, RepeatCycle& repeat, QWidget& panel, Hooks hooks)
    : player_(player), repeat_(repeat), panel_(panel), hooks_(std::move(hooks))
{}

void ItemTileActions::Click(int index, bool changed, int x, int y)
{
    if (index == -1 || !HasSound(hooks_.item(index)))
        return;
    const ContentItem& item = hooks_.item(index);
    if (!repeat_.IsOn() && InPlayZone(item, x, y))
        player_.PlayClip(item.ClipPath());
    if (changed)
        repeat_.Apply();
}

void ItemTileActions::Move(int index, int x, int y)
{
    if (index == -1 || !HasSound(hooks_.item(index)))
        return;
    const Qt::CursorShape wanted =
        !repeat_.IsOn() && InPlayZone(hooks_.item(index), x, y) ? Qt::PointingHandCursor : Qt::ArrowCursor;
    if (panel_.cursor().shape() != wanted)
        panel_.setCursor(wanted);
}

void ItemTileActions::Enter(int index)
{
    // As a click on its marker: the word once, unless repetition plays it.
    const ContentItem& item = hooks_.item(index);
    if (HasSound(item) && !repeat_.IsOn())
        player_.PlayClip(item.ClipPath());
}

bool ItemTileActions::InPlayZone(const ContentItem& item, int x, int y) const
{
    const Bitmap* marker = hooks_.marker();
    const int markerWidth = marker != nullptr ? marker->Width() : 0;
    const int markerHeight = marker != nullptr ? marker->Height() : 0;
    return layout::ItemTileGeometry(hooks_.scale(), markerWidth, markerHeight, item.width, item.height)
        .playZone.Contains(x, y);
}

}  // namespace velmora::app
