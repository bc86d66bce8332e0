#include "toolkit/TileList.h"

#include "toolkit/AccessibleFactory.h"
#include "toolkit/GuardedCall.h"
#include "toolkit/PanelCanvas.h"
#include "toolkit/TileListAccessible.h"
#include "toolkit/TileNavigation.h"

#include <QKeyEvent>
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

constexpr char kListProperty[] = "velmoraTileList";

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

std::int64_t Right(const TileList::Tile& tile)
{
    return std::int64_t{tile.left} + tile.width;
}
std::int64_t Bottom(const TileList::Tile& tile)
{
    return std::int64_t{tile.top} + tile.height;
}

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
    scrollConnection_ =
        connect(&scrollBar, &QScrollBar::valueChanged, this, [this](int value) { OnScrollBarMoved(value); });
    // Installed after this list's filter, the canvas sees each resize first,
    // so OnPanelResized paints into a picture of the new size.
    canvas_ = std::make_unique<PanelCanvas>(panel);
    panel.setProperty(kListProperty, QVariant::fromValue(static_cast<QObject*>(this)));
    AccessibleFactory::Install();
    AccessibleFactory::Forget(panel);
}

TileList::~TileList()
{
    canvas_.reset();
    disconnect(scrollConnection_);
    if (panel_) {
        panel_->removeEventFilter(this);
        panel_->setMouseTracking(hadMouseTracking_);
        panel_->setProperty(kListProperty, QVariant());
        AccessibleFactory::Forget(*panel_);
    }
}

TileList* TileList::Of(const QObject* panel)
{
    if (panel == nullptr)
        return nullptr;
    return qobject_cast<TileList*>(panel->property(kListProperty).value<QObject*>());
}

void TileList::SetCount(int count)
{
    tiles_.resize(static_cast<std::size_t>(std::max(count, 0)));
    contentHeight_ = 0;
    ++layout_;
}

void TileList::Clear()
{
    tiles_.clear();
    scrollPos_ = 0;
    contentHeight_ = 0;
    selected_ = -1;
    ++layout_;
}

TileList::Tile& TileList::Item(int index)
{
    return const_cast<Tile&>(std::as_const(*this).Item(index));
}

const TileList::Tile& TileList::Item(int index) const
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("tile index " + std::to_string(index) + " outside 0.." + std::to_string(Count() - 1));
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
    if (!onPaintItem_) {
        PaintFocusMark(painter);
        return;
    }
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
    PaintFocusMark(painter);
}

void TileList::PaintFocusMark(QPainter& painter)
{
    if (!keyboardNavigation_ || !keyboardFocus_ || !panel_ || !panel_->hasFocus())
        return;
    constexpr int kInset = 5;
    const QRect panelRect(QPoint(0, 0), panel_->size());
    const QRect marked = selected_ >= 0 ? VisibleRect(selected_).adjusted(kInset, kInset, -kInset, -kInset)
                                        : panelRect.adjusted(2, 2, -3, -3);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(focusMarkColour_, 1, Qt::DotLine));
    painter.drawRect(marked.intersected(panelRect));
    painter.restore();
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
    ChangeSelection(index);
    if (onClickItem_)
        onClickItem_(index >= 0 ? VisibleRect(index) : QRect(), -1, changed, 0, 0);
}

void TileList::ChangeSelection(int index)
{
    const int previous = selected_;
    selected_ = index;
    if (previous != index)
        TellScreenReaders(previous);
}

void TileList::TellScreenReaders(int previous)
{
    if (panel_)
        TileListAccessible::SelectionChanged(*panel_, previous, selected_);
}

void TileList::SetKeyboardNavigation(bool on)
{
    keyboardNavigation_ = on;
    if (panel_)
        panel_->setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
}

void TileList::SelectByKey(int index)
{
    if (index < 0 || index >= Count())
        return;
    const bool changed = index != selected_;
    ChangeSelection(index);
    ScrollIntoView(index);
    if (!changed)
        return;
    ReportClick(index, changed, kByKey, kByKey);
    Paint();
    if (panel_)
        panel_->update();
}

void TileList::ScrollIntoView(int index)
{
    if (index < 0 || index >= Count())
        return;
    const Tile& tile = tiles_[static_cast<std::size_t>(index)];
    std::int64_t position = scrollPos_;
    if (Bottom(tile) > position + PanelHeight())
        position = Bottom(tile) - PanelHeight();
    if (tile.top < position)
        position = tile.top;
    if (ClampScroll(position) == scrollPos_)
        return;
    ShowScrollPosition(position);
    SetScrollBarPosition(scrollPos_);
}

QString TileList::ItemNameAt(int index) const
{
    return itemName_ && index >= 0 && index < Count() ? itemName_(index) : QString();
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
    FocusOnPress();
    keyboardFocus_ = false;
    const bool changed = hit != selected_;
    ChangeSelection(hit);
    if (hit >= 0) {
        const Tile& tile = tiles_[static_cast<std::size_t>(hit)];
        ReportClick(hit, changed, std::int64_t{point.x()} - tile.left, std::int64_t{point.y()} + scrollPos_ - tile.top);
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

bool TileList::OnKeyPress(const QKeyEvent& event)
{
    if ((event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    TileMove move = TileMove::Down;
    switch (event.key()) {
    case Qt::Key_Up: move = TileMove::Up; break;
    case Qt::Key_Down: move = TileMove::Down; break;
    case Qt::Key_Left: move = TileMove::Left; break;
    case Qt::Key_Right: move = TileMove::Right; break;
    case Qt::Key_PageUp: move = TileMove::PageUp; break;
    case Qt::Key_PageDown: move = TileMove::PageDown; break;
    case Qt::Key_Home: move = TileMove::First; break;
    case Qt::Key_End: move = TileMove::Last; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (selected_ < 0 || !onActivateItem_)
            return false;
        onActivateItem_(selected_);
        return true;
    default: return false;
    }
    if (!keyboardFocus_) {
        // The mark appears even when the key moves nothing.
        keyboardFocus_ = true;
        if (panel_->hasFocus())
            OnFocusChanged();
    }
    SelectByKey(NavigateTiles(tiles_, selected_, move, PanelHeight()));
    return true;
}

void TileList::OnFocusChanged()
{
    if (!keyboardNavigation_ || !panel_)
        return;
    Paint();
    panel_->update();
}

void TileList::FocusOnPress()
{
    if (keyboardNavigation_) {
        if (panel_ && !panel_->hasFocus())
            panel_->setFocus(Qt::MouseFocusReason);
        return;
    }
    // Keys then act on the list; a bar that takes no focus is left alone.
    if (scrollBar_ && scrollBar_->isEnabled() && scrollBar_->isVisible() && scrollBar_->focusPolicy() != Qt::NoFocus &&
        !scrollBar_->hasFocus())
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
        CallGuarded("tile list mouse press", [&] { consumed = OnMousePress(*static_cast<QMouseEvent*>(event)); });
        break;
    case QEvent::MouseMove:
        CallGuarded("tile list mouse move", [&] { OnMouseMove(*static_cast<QMouseEvent*>(event)); });
        break;
    case QEvent::Resize: CallGuarded("tile list resize", [&] { OnPanelResized(); }); break;
    case QEvent::KeyPress:
        if (keyboardNavigation_)
            CallGuarded("tile list key", [&] { consumed = OnKeyPress(*static_cast<QKeyEvent*>(event)); });
        break;
    case QEvent::FocusIn:
        // The mark is for the keyboard: a press leaves the look as it was.
        keyboardFocus_ = static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason;
        CallGuarded("tile list focus", [&] { OnFocusChanged(); });
        break;
    case QEvent::FocusOut: CallGuarded("tile list focus", [&] { OnFocusChanged(); }); break;
    default: break;
    }
    return consumed;
}

}  // namespace velmora
