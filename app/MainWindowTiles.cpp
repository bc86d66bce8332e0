#include "app/MainWindowTiles.h"

#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <vector>

#include "app/MainWindowLayout.h"
#include "app/MainWindowLook.h"
#include "app/WidthScale.h"
#include "content/ContentSet.h"
#include "content/MenuGroup.h"
#include "core/ParallelFor.h"
#include "graphics/Bitmap.h"
#include "graphics/Resample.h"
#include "toolkit/PanelCanvas.h"
#include "toolkit/TileList.h"

namespace velmora::app::tiles {
namespace {

constexpr float kMenuPictureScale = 0.36f;
constexpr int kMenuFontCellHeight = 15;

std::int32_t CentreFontCellHeight(const WidthScale& scale)
{
    return scale.Scale(50);
}

// One of the pictures a group shows in the menu and the title bar: its own
// in grey, the title's and the title entries' in two colours.
struct MenuPicture {
    ContentItem* item;
    float scale;
    bool grey;
};

std::vector<MenuPicture> MenuPicturesOf(MenuGroup& group, std::int32_t titleBandHeight)
{
    const auto titleScale = [titleBandHeight](const ContentItem& item) {
        return layout::TitlePictureScale(item.Picture().Height(), titleBandHeight);
    };
    std::vector<MenuPicture> pictures;
    if ((group.flags & kHasPicture) != 0) {
        pictures.push_back({&group, kMenuPictureScale, true});
        pictures.push_back({&group.title, titleScale(group.title), false});
    }
    for (const auto& entry : group.title.children)
        pictures.push_back({entry.get(), titleScale(*entry), false});
    return pictures;
}

// Whether `item` has a picture whose bitmap is not rendered for `pixelRatio`
// at its present size.
bool IsStale(const ContentItem& item, float pixelRatio)
{
    return (item.flags & kHasPicture) != 0 && !(item.prepared && item.pixelRatio == pixelRatio);
}

}  // namespace

void PrepareMenuPictures(ContentSet& content, float pixelRatio, std::int32_t titleBandHeight)
{
    // Sizes first, which is cheap; then only the pictures not yet rendered
    // at this ratio and size are rendered, side by side, since they share
    // nothing they change. When the loading thread has rendered them all,
    // the window starts no thread for nothing.
    std::vector<MenuPicture> stale;
    for (const auto& group : content.menuItems) {
        if ((group->flags & kHasPicture) == 0) {
            group->pixelRatio = pixelRatio;
            group->title.pixelRatio = pixelRatio;
        }
        for (const MenuPicture& picture : MenuPicturesOf(*group, titleBandHeight)) {
            picture.item->SetScale(Scope::Self, picture.scale);
            if (IsStale(*picture.item, pixelRatio))
                stale.push_back(picture);
        }
    }
    const Colour black = look::CoreColour(Qt::black);
    const Colour window = look::CoreColour(look::kWindow);
    ParallelFor(stale.size(), [&](std::size_t index) {
        ContentItem& item = *stale[index].item;
        item.pixelRatio = pixelRatio;
        if (stale[index].grey)
            item.Prepare(Scope::Self);
        else
            item.PrepareTwoColour(black, window, Scope::Self);
    });
}

QFont MenuFont()
{
    return look::ArialWithCellHeight(kMenuFontCellHeight);
}

QFont CentreFont(const WidthScale& scale)
{
    return look::ArialWithCellHeight(CentreFontCellHeight(scale));
}

void LayoutMenu(TileList& list, const ContentSet& content, std::int32_t panelWidth)
{
    list.Clear();
    list.Canvas().SetFont(MenuFont());
    std::vector<bool> indented;
    indented.reserve(content.menuItems.size());
    for (const auto& group : content.menuItems)
        indented.push_back((group->flags & kIndented) != 0);
    const std::vector<Rect> rects = layout::MenuTiles(indented, panelWidth);
    list.SetCount(static_cast<int>(rects.size()));
    for (int i = 0; i < static_cast<int>(rects.size()); ++i) {
        const Rect& rect = rects[static_cast<std::size_t>(i)];
        list.Item(i) = TileList::Tile{rect.left, rect.top, rect.width, rect.height,
                                      content.menuItems[static_cast<std::size_t>(i)].get()};
    }
}

void LayoutCentre(TileList& list, MenuGroup& group, std::int32_t groupIndex, std::int32_t panelWidth,
                  const WidthScale& scale)
{
    group.SetScale(Scope::Children, scale.ItemScale());
    std::int32_t maxHeight = 0;
    for (const auto& item : group.children)
        maxHeight = std::max(maxHeight, item->height);

    const std::int32_t fontHeight = CentreFontCellHeight(scale);
    list.Canvas().SetFont(CentreFont(scale));
    list.Canvas().SetFontColour(look::kItemText);
    const std::int32_t tileHeight = fontHeight + maxHeight + scale.Scale(18);

    const int count = group.ChildCount();
    list.SetCount(count);
    for (int i = 0; i < count; ++i) {
        const Rect rect = layout::CentreTile(groupIndex, i, panelWidth, tileHeight);
        list.Item(i) = TileList::Tile{rect.left, rect.top, rect.width, rect.height, group.ChildAt(i)};
    }
}

bool PrepareNextItem(MenuGroup& group, float pixelRatio)
{
    // Items without a picture are never prepared; passing over them keeps
    // the search from finding the same item for ever.
    const auto pending = std::find_if(group.children.begin(), group.children.end(), [](const auto& item) {
        return (item->flags & kHasPicture) != 0 && !item->prepared;
    });
    if (pending == group.children.end())
        return false;
    (*pending)->pixelRatio = pixelRatio;
    (*pending)->Prepare(Scope::Tree);
    return true;
}

std::unique_ptr<Bitmap> ScaledMarker(Bitmap& marker, const WidthScale& scale)
{
    std::unique_ptr<Bitmap> scaled = NewBitmap24(scale.ScaleDown(marker.Width()), scale.ScaleDown(marker.Height()));
    StretchBitmap(scaled.get(), &marker);
    return scaled;
}

void ScrollByWheel(const QWheelEvent& event, const WheelTargets& targets, const WidthScale& scale)
{
    const QPoint pointer = event.globalPosition().toPoint();
    const auto onScreen = [](const QWidget& widget) { return QRect(widget.mapToGlobal(QPoint(0, 0)), widget.size()); };
    const QPoint angle = event.angleDelta();
    const bool towardsUser = (angle.y() != 0 ? angle.y() : angle.x()) < 0;
    if (onScreen(targets.menuBox).contains(pointer))
        targets.menu.ScrollBy(towardsUser ? scale.Scale(30) : -scale.Scale(30));
    else if (onScreen(targets.centreBox).contains(pointer))
        targets.centre.ScrollBy(towardsUser ? scale.Scale(50) : -scale.Scale(50));
}

}  // namespace velmora::app::tiles
