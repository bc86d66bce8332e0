#include "toolkit/TileList.h"

#include "toolkit/GuardedCall.h"
#include "toolkit/PanelCanvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWidget>

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>

namespace velmora {

namespace {

// QRect stores its edges as int and computes width as right - left + 1, so
// rectangles handed out stay within +-2^29: still far beyond any panel.
constexpr std::int64_t kRectLimit = std::int64_t{1} << 29;

int ClampToRect(std::int64_t value)
{
    return static_cast<int>(std::clamp(value, -kRectLimit, kRectLimit));
}

int ClampToInt(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                     std::numeric_limits<std::int32_t>::max()));
}

std::int64_t Right(const TileList::Tile& tile) { return std::int64_t{tile.left} + tile.width; }
std::int64_t Bottom(const TileList::Tile& tile) { return std::int64_t{tile.top} + tile.height; }

// Sets a flag for the lifetime of the object and restores it afterwards.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = previous_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool previous_;
};

}  // namespace

TileList::TileList(QWidget& panel, QScrollBar& scrollBar) : panel_(&panel), scrollBar_(&scrollBar)
{
    hadMouseTracking_ = panel.hasMouseTracking();
    panel.setMouseTracking(true);
    panel.installEventFilter(this);
    scrollConnection_ = connect(&scrollBar, &QScrollBar::valueChanged, this,
                                [this](int value) { OnScrollBarMoved(value); });
    // Installed after this list's filter, the canvas sees each resize first,
    // so OnPanelResized paints into a picture of the new size.
    canvas_ = std::make_unique<PanelCanvas>(panel);
}

TileList::~TileList()
{
    canvas_.reset();
    disconnect(scrollConnection_);
    if (panel_) {
        panel_->removeEventFilter(this);
        panel_->setMouseTracking(hadMouseTracking_);
    }
}

void TileList::SetCount(int count)
{
    tiles_.resize(static_cast<std::size_t>(std::max(count, 0)));
    contentHeight_ = 0;
}

void TileList::Clear()
{
    tiles_.clear();
    scrollPos_ = 0;
    contentHeight_ = 0;
    selected_ = -1;
}

TileList::Tile& TileList::Item(int index)
{
    return const_cast<Tile&>(std::as_const(*this).Item(index));
}

const TileList::Tile& TileList::Item(int index) const
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("tile index " + std::to_string(index) + " outside 0.." +
                                std::to_string(Count() - 1));
    return tiles_[static_cast<std::size_t>(index)];
}

void TileList::CalcContentHeight()
{
    std::int64_t lowest = 0;
    for (const Tile& tile : tiles_)
        lowest = std::max(lowest, Bottom(tile));
    contentHeight_ = ClampToInt(lowest);
}

void TileList::UpdateScrolling()
{
    CalcContentHeight();
    scrollPos_ = ClampScroll(scrollPos_);
    UpdateScrollBar();
}

void TileList::UpdateScrollBar()
{
    if (!scrollBar_)
        return;
    const int panelHeight = PanelHeight();
    FlagScope setting(settingScrollBar_);
    if (panelHeight < contentHeight_) {
        // Qt's maximum is the highest position, the page step the visible
        // page: the bar then reaches content - panel, the list's own bound.
        scrollBar_->setRange(0, contentHeight_ - panelHeight);
        scrollBar_->setValue(scrollPos_);
        scrollBar_->setPageStep(panelHeight);
        scrollBar_->setSingleStep(10);
        scrollBar_->setEnabled(true);
    } else {
        scrollBar_->setPageStep(1);
        scrollBar_->setRange(0, 2);
        scrollBar_->setValue(0);
        scrollBar_->setEnabled(false);
    }
}

void TileList::Paint()
{
    if (!panel_ || painting_)
        return;
    QImage& image = canvas_->Image();
    if (image.isNull())
        return;
    FlagScope painting(painting_);
    QPainter painter(&image);
    painter.fillRect(image.rect(), Qt::white);
    if (!onPaintItem_)
        return;
    canvas_->Begin(painter);
    const std::int64_t width = panel_->width();
    const std::int64_t height = panel_->height();
    // Indexing afresh on each step: a callback may change the tiles.
    for (int index = 0; index < Count(); ++index) {
        const Tile& tile = tiles_[static_cast<std::size_t>(index)];
        const std::int64_t top = std::int64_t{tile.top} - scrollPos_;
        if (Right(tile) <= 0 || top + tile.height <= 0 || tile.left >= width || top >= height)
            continue;
        painter.save();
        onPaintItem_(painter, VisibleRect(index), index, index == selected_);
        painter.restore();
    }
}

void TileList::ScrollBy(int delta)
{
    if (!scrollBar_ || PanelHeight() > contentHeight_)
        return;
    ShowScrollPosition(std::int64_t{scrollBar_->value()} + delta);
    SetScrollBarPosition(scrollPos_);
}

void TileList::ScrollTo(int position)
{
    scrollPos_ = ClampScroll(position);
    SetScrollBarPosition(scrollPos_);
}

void TileList::Select(int index)
{
    if (index < 0 || index >= Count())
        index = -1;
    const bool changed = index != selected_;
    selected_ = index;
    if (onClickItem_)
        onClickItem_(index >= 0 ? VisibleRect(index) : QRect(), -1, changed, 0, 0);
}

int TileList::HitTest(QPoint point) const
{
    const std::int64_t x = point.x();
    const std::int64_t y = std::int64_t{point.y()} + scrollPos_;
    for (int index = 0; index < Count(); ++index) {
        const Tile& tile = tiles_[static_cast<std::size_t>(index)];
        if (tile.left <= x && x < Right(tile) && tile.top <= y && y < Bottom(tile))
            return index;
    }
    return -1;
}

QRect TileList::VisibleRect(int index) const
{
    const Tile& tile = Item(index);
    const std::int64_t top = std::int64_t{tile.top} - scrollPos_;
    return QRect(QPoint(ClampToRect(tile.left), ClampToRect(top)),
                 QPoint(ClampToRect(Right(tile)) - 1, ClampToRect(top + tile.height) - 1));
}

int TileList::PanelHeight() const
{
    return panel_ ? panel_->height() : 0;
}

int TileList::ClampScroll(std::int64_t position) const
{
    position = std::min(position, std::int64_t{contentHeight_} - PanelHeight());
    return static_cast<int>(std::max<std::int64_t>(position, 0));
}

void TileList::SetScrollBarPosition(int position)
{
    if (!scrollBar_)
        return;
    FlagScope setting(settingScrollBar_);
    scrollBar_->setValue(position);
}

void TileList::ShowScrollPosition(std::int64_t position)
{
    scrollPos_ = ClampScroll(position);
    Paint();
    if (panel_)
        panel_->update();
}

void TileList::OnScrollBarMoved(int value)
{
    if (settingScrollBar_)
        return;
    CallGuarded("tile list scrolling", [&] {
        ShowScrollPosition(value);
        if (scrollPos_ != value)
            SetScrollBarPosition(scrollPos_);
    });
}

bool TileList::OnMousePress(const QMouseEvent& event)
{
    if (event.button() != Qt::LeftButton)
        return false;
    const QPoint point = event.position().toPoint();
    const int hit = HitTest(point);
    FocusScrollBar();
    const bool changed = hit != selected_;
    selected_ = hit;
    if (hit >= 0) {
        const Tile& tile = tiles_[static_cast<std::size_t>(hit)];
        ReportClick(hit, changed, std::int64_t{point.x()} - tile.left,
                    std::int64_t{point.y()} + scrollPos_ - tile.top);
    } else {
        ReportClick(hit, changed, 0, 0);
    }
    Paint();
    if (panel_)
        panel_->update();
    return true;
}

void TileList::ReportClick(int index, bool changed, std::int64_t x, std::int64_t y)
{
    if (onClickItem_)
        onClickItem_(index >= 0 ? VisibleRect(index) : QRect(), index, changed, ClampToInt(x), ClampToInt(y));
}

void TileList::OnMouseMove(const QMouseEvent& event)
{
    if (!onMoveItem_)
        return;
    const QPoint point = event.position().toPoint();
    const int hit = HitTest(point);
    if (hit < 0) {
        onMoveItem_(QRect(), -1, 0, 0);
        return;
    }
    const Tile& tile = tiles_[static_cast<std::size_t>(hit)];
    const int x = ClampToInt(std::int64_t{point.x()} - tile.left);
    const int y = ClampToInt(std::int64_t{point.y()} + scrollPos_ - tile.top);
    onMoveItem_(VisibleRect(hit), hit, x, y);
}

void TileList::OnPanelResized()
{
    if (!autoResize_)
        return;
    UpdateScrollBar();
    Paint();
}

void TileList::FocusScrollBar()
{
    // Keys then act on the list; a bar that takes no focus is left alone.
    if (scrollBar_ && scrollBar_->isEnabled() && scrollBar_->isVisible() &&
        scrollBar_->focusPolicy() != Qt::NoFocus && !scrollBar_->hasFocus())
        scrollBar_->setFocus(Qt::MouseFocusReason);
}

bool TileList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != panel_)
        return false;
    bool consumed = false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:  // Qt's second press of a double click
        CallGuarded("tile list mouse press",
                    [&] { consumed = OnMousePress(*static_cast<QMouseEvent*>(event)); });
        break;
    case QEvent::MouseMove:
        CallGuarded("tile list mouse move", [&] { OnMouseMove(*static_cast<QMouseEvent*>(event)); });
        break;
    case QEvent::Resize:
        CallGuarded("tile list resize", [&] { OnPanelResized(); });
        break;
    default:
        break;
    }
    return consumed;
}

}  // namespace velmora
