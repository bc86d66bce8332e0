#include "app/MainWindowPainting.h"

#include <algorithm>

#include <QPainter>

#include "app/MainWindowLayout.h"
#include "app/MainWindowLook.h"
#include "app/WidthScale.h"
#include "content/MenuGroup.h"
#include "toolkit/BitmapImage.h"

namespace velmora::app {

namespace painting {
namespace {

constexpr int kTitleFontCellHeight = 21;
constexpr int kTitleEntryFontCellHeight = 18;

// A one-pixel outline of the rectangle left <= x < right, top <= y < bottom.
void Outline(QPainter& painter, int left, int top, int right, int bottom, const QColor& colour)
{
    if (right <= left || bottom <= top)
        return;
    painter.fillRect(left, top, right - left, 1, colour);
    painter.fillRect(left, bottom - 1, right - left, 1, colour);
    painter.fillRect(left, top, 1, bottom - top, colour);
    painter.fillRect(right - 1, top, 1, bottom - top, colour);
}

// Text whose top-left corner is at (x, y), in the painter's font.
void DrawTextAt(QPainter& painter, int x, int y, const QString& text)
{
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
}

void DrawBitmap(QPainter& painter, int x, int y, const Bitmap* bitmap)
{
    if (bitmap != nullptr && !bitmap->Empty())
        painter.drawImage(QPoint(x, y), BitmapImage::View(*bitmap));
}

int WidthOf(const Bitmap* bitmap)
{
    return bitmap != nullptr ? bitmap->Width() : 0;
}

// An item's prepared picture at its display size: the bitmap may hold more
// pixels than that, on a denser screen.
void DrawItemPicture(QPainter& painter, int x, int y, const ContentItem& item)
{
    if (item.bitmap != nullptr && !item.bitmap->Empty())
        painter.drawImage(QRect(x, y, item.width, item.height), BitmapImage::View(*item.bitmap));
}

// The width an item's picture takes in the window; 0 without one.
int DisplayWidth(const ContentItem& item)
{
    return item.bitmap != nullptr ? item.width : 0;
}

}  // namespace

QFont TitleFont()
{
    return look::ArialWithCellHeight(kTitleFontCellHeight, true);
}

QFont TitleEntryFont()
{
    return look::ArialWithCellHeight(kTitleEntryFontCellHeight);
}

namespace {

// Draws the group's first two title entries, each name followed by its
// picture; returns the right edge of what they took (0 without entries).
int DrawTitleEntries(QPainter& painter, const MenuGroup& group, const WidthScale& scale)
{
    if (group.title.ChildCount() == 0)
        return 0;
    painter.setFont(TitleEntryFont());
    const QFontMetrics metrics = painter.fontMetrics();
    const ContentItem& first = *group.title.ChildAt(0);
    const QString firstName = look::Text(first.name);
    DrawTextAt(painter, 8, 46, firstName);
    int x = 8 + metrics.horizontalAdvance(firstName) + 8;
    DrawItemPicture(painter, x, layout::kTitlePictureTop, first);
    int right = x + DisplayWidth(first);
    x = x + 3 * scale.ScaleDown(60) + DisplayWidth(first) - 80;
    if (group.title.ChildCount() < 2)
        return right;
    const ContentItem& second = *group.title.ChildAt(1);
    const QString secondName = look::Text(second.name);
    DrawTextAt(painter, x, 46, secondName);
    const int pictureLeft = x + metrics.horizontalAdvance(secondName) + 8;
    DrawItemPicture(painter, pictureLeft, layout::kTitlePictureTop, second);
    return std::max(right, pictureLeft + DisplayWidth(second));
}

}  // namespace

void PaintTitle(QPainter& painter, const QRect& area, const MenuGroup* group, const WidthScale& scale)
{
    painter.fillRect(area, look::kWindow);
    if (group == nullptr)
        return;

    const QString text = look::Text(layout::TitleText(group->name));
    painter.setFont(TitleFont());
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    painter.setPen(look::kTitleShadow);
    painter.drawText(area.translated(2, 2), flags, text);
    painter.setPen(Qt::black);
    painter.drawText(area, flags, text);

    const int entriesRight = DrawTitleEntries(painter, *group, scale);
    if ((group->flags & kHasPicture) != 0) {
        const int left = layout::TitlePictureLeft(area.width(), DisplayWidth(group->title), entriesRight);
        DrawItemPicture(painter, left, layout::kTitlePictureTop, group->title);
    }
}

void DrawMenuTile(QPainter& canvas, const QRect& rect, const MenuGroup& group, bool selected)
{
    const int left = rect.x();
    const int top = rect.y();
    const int right = rect.x() + rect.width();
    const int bottom = rect.y() + rect.height();
    if (selected)
        canvas.fillRect(rect, look::kSelectedMenuFill);
    if ((group.flags & kHasPicture) != 0 && group.bitmap) {
        DrawItemPicture(canvas, left + (rect.width() - group.width) / 2, top + (rect.height() - group.height) / 2,
                        group);
    } else {
        canvas.drawText(QRect(left, top + 3, rect.width(), rect.height() - 5),
                        Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, look::Text(group.name));
    }
    if (left > 0)
        Outline(canvas, left, top, left + 2, bottom, look::kWindow);
    Outline(canvas, left, top, right, top + 1, look::kWindow);
    Outline(canvas, left, bottom - 1, right, bottom, look::kWindow);
}

void DrawItemTile(QPainter& canvas, const QRect& rect, const ContentItem& item, bool selected, const Bitmap* marker,
                  const WidthScale& scale)
{
    const int left = rect.x();
    const int top = rect.y();
    const int right = rect.x() + rect.width();
    const int bottom = rect.y() + rect.height();
    if (selected) {
        for (int i = 1; i <= 3; ++i)
            Outline(canvas, left + i, top + i, right - i, bottom - i, look::kSelectedItemFrame);
    }
    Outline(canvas, left, top, right, bottom, look::kWindow);

    const layout::ItemTile tile =
        layout::ItemTileGeometry(scale, WidthOf(marker), marker ? marker->Height() : 0, item.width, item.height);
    DrawTextAt(canvas, left + tile.captionLeft, top + tile.captionTop, look::Text(item.name));
    if ((item.flags & kHasSound) != 0)
        DrawBitmap(canvas, left + tile.marker.left, top + tile.marker.top, marker);
    const QRect pictureRect(left + tile.picture.left, top + tile.picture.top, tile.picture.width, tile.picture.height);
    if (!item.bitmap) {
        canvas.fillRect(pictureRect, look::kNoPictureFill);
    } else if (!item.bitmap->Empty()) {
        // Prepared at the screen's pixels, or a picture from an earlier size
        // shown stretched until it is prepared again.
        canvas.drawImage(pictureRect, BitmapImage::View(*item.bitmap));
    }
}

}  // namespace painting
}  // namespace velmora::app
