#pragma once

#include <QColor>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QScrollBar>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QKeyEvent;
class QMouseEvent;
class QPainter;

namespace velmora {

class PanelCanvas;

// A panel and a vertical scroll bar beside it turned into a scrollable list
// of owner-drawn tiles. The owner gives every tile a rectangle in content
// coordinates (the list computes no layout) and draws tiles through a
// callback; the list keeps the scroll position, the content height and the
// selection, paints the visible tiles into the off-screen picture of a
// PanelCanvas on the panel, and hit-tests mouse presses and moves.
//
// Typical use after a change of content or size: Clear, SetCount(n), set every
// tile's rectangle and data, UpdateScrolling, Paint, panel update().
//
// Coordinates are 32-bit as the owner gives them; sums such as top + height
// are formed in 64 bits and clamped, so extreme values never overflow.
//
// With keyboard navigation on, the panel takes the focus and the keys move
// the selection (see SetKeyboardNavigation). Screen readers see the panel as
// a list whose items are the tiles, named by the owner (see SetItemName).
class TileList : public QObject {
    Q_OBJECT

public:
    // One tile: it covers left <= x < left + width and top <= y < top + height
    // in content coordinates (y counts from the top of the whole content).
    // Tiles may leave gaps and may overlap. `data` is the owner's, not owned.
    struct Tile {
        std::int32_t left = 0;
        std::int32_t top = 0;
        std::int32_t width = 0;
        std::int32_t height = 0;
        void* data = nullptr;
    };

    // Draws tile `index` into `rect` (panel coordinates) with `canvas`, a
    // painter open on the canvas picture with the canvas's font and colour.
    using PaintItem = std::function<void(QPainter& canvas, const QRect& rect, int index, bool selected)>;
    // A left press on tile `index` (x, y relative to the tile's top-left), on
    // empty space (index -1, x = y = 0), or a call of Select (index -1 always;
    // read Selected()). `changed` tells whether the selection changed; the
    // selection is already updated. `rect` is meaningful when index >= 0.
    using ClickItem = std::function<void(const QRect& rect, int index, bool changed, int x, int y)>;
    // The mouse moved over tile `index` at x, y relative to its top-left, or
    // over empty space (index -1, x = y = 0), whatever buttons are held.
    using MoveItem = std::function<void(const QRect& rect, int index, int x, int y)>;
    // Enter on the selected tile `index`.
    using ActivateItem = std::function<void(int index)>;
    // The name screen readers give tile `index`.
    using ItemName = std::function<QString(int index)>;

    // The position a key's selection reports to the click callback: a key
    // acts as a press on the new tile at no point of it.
    static constexpr int kByKey = -1;

    TileList(QWidget& panel, QScrollBar& scrollBar);
    ~TileList() override;
    TileList(const TileList&) = delete;
    TileList& operator=(const TileList&) = delete;

    // Resizes the tile array keeping the first min(old, n) tiles; new tiles are
    // zero rectangles with null data. The content height becomes 0; the
    // selection and scroll position are kept (call Clear first to rebuild).
    void SetCount(int count);
    // No tiles, scroll position 0, content height 0, nothing selected.
    void Clear();
    // Throws std::out_of_range for an index outside 0 .. Count() - 1.
    Tile& Item(int index);
    const Tile& Item(int index) const;
    int Count() const { return static_cast<int>(tiles_.size()); }

    // Content height = the lowest tile bottom (0 with no tiles or when every
    // bottom is at or above 0).
    void CalcContentHeight();
    // CalcContentHeight, clamp the scroll position, UpdateScrollBar.
    void UpdateScrolling();
    // Content taller than the panel: range 0 .. content - panel height, page
    // and page step the panel height, single step 10, enabled. Otherwise
    // range 0 .. 2, page 1, position 0, disabled.
    void UpdateScrollBar();
    // Fills the panel's area of the picture white and paints every tile that
    // intersects the panel, in index order (a later tile covers an earlier
    // one). Does not touch the screen: call update() on the panel.
    void Paint();
    // Scrolls by `delta` pixels (positive = down) from the scroll bar's
    // position, clamped, repainted and shown; nothing when the content is
    // lower than the panel.
    void ScrollBy(int delta);
    // Sets the scroll position, clamped, and the scroll bar's; no repaint.
    void ScrollTo(int position);
    // Selects tile `index` (an index out of range selects nothing) and calls
    // the click callback with index -1; no repaint.
    void Select(int index);

    // The first tile, in index order, under `point` (panel coordinates); -1
    // when none.
    int HitTest(QPoint point) const;
    // Tile `index`'s rectangle in panel coordinates at the current scroll
    // position, clamped to a range QRect can hold.
    QRect VisibleRect(int index) const;

    // Keyboard navigation, off after construction. When on, the panel takes
    // the focus from Tab and from a press (instead of the scroll bar), and
    // the arrows, Home, End, Page Up and Page Down move the selection as a
    // press on the new tile would (see kByKey), scrolling it into view; Enter
    // reports the selected tile to the activate callback. Other keys go on to
    // the panel's parents. While the panel has the focus from the keyboard
    // (Tab, or a key since a press), a dotted frame in the focus mark colour
    // marks the selected tile, or the panel when none is.
    void SetKeyboardNavigation(bool on);
    bool KeyboardNavigation() const { return keyboardNavigation_; }
    void SetFocusMarkColour(const QColor& colour) { focusMarkColour_ = colour; }
    // Selects tile `index` as a key does: scrolled into view, reported,
    // repainted. An index out of range changes nothing.
    void SelectByKey(int index);
    // Scrolls the least that shows tile `index` whole (its top when it is
    // taller than the panel); repaints when the position changed.
    void ScrollIntoView(int index);

    void SetItemName(ItemName name) { itemName_ = std::move(name); }
    QString ItemNameAt(int index) const;
    // Counts every rebuild of the tiles (Clear, SetCount), so that what was
    // said about tile i of an earlier layout can be told apart.
    int Layout() const { return layout_; }
    // The list shown on `panel`, or null.
    static TileList* Of(const QObject* panel);

    QWidget* Panel() const { return panel_; }
    PanelCanvas& Canvas() { return *canvas_; }
    QScrollBar* ScrollBar() const { return scrollBar_; }
    int ScrollPos() const { return scrollPos_; }
    int ContentHeight() const { return contentHeight_; }
    int Selected() const { return selected_; }

    void SetOnPaintItem(PaintItem handler) { onPaintItem_ = std::move(handler); }
    void SetOnClickItem(ClickItem handler) { onClickItem_ = std::move(handler); }
    void SetOnMoveItem(MoveItem handler) { onMoveItem_ = std::move(handler); }
    void SetOnActivateItem(ActivateItem handler) { onActivateItem_ = std::move(handler); }
    // True after construction: a panel resize then updates the scroll bar and
    // repaints by itself. Owners that lay out on resize themselves turn it off.
    bool AutoResize() const { return autoResize_; }
    void SetAutoResize(bool on) { autoResize_ = on; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int PanelHeight() const;
    int ClampScroll(std::int64_t position) const;
    void SetScrollBarPosition(int position);
    void ShowScrollPosition(std::int64_t position);
    void OnScrollBarMoved(int value);
    bool OnMousePress(const QMouseEvent& event);
    void OnMouseMove(const QMouseEvent& event);
    void OnPanelResized();
    void FocusOnPress();
    bool OnKeyPress(const QKeyEvent& event);
    void OnFocusChanged();
    void PaintFocusMark(QPainter& painter);
    void ReportClick(int index, bool changed, std::int64_t x, std::int64_t y);
    void ChangeSelection(int index);
    void TellScreenReaders(int previous);

    QPointer<QWidget> panel_;
    QPointer<QScrollBar> scrollBar_;
    std::unique_ptr<PanelCanvas> canvas_;
    QMetaObject::Connection scrollConnection_;
    bool hadMouseTracking_ = false;
    bool settingScrollBar_ = false;
    bool painting_ = false;

    std::vector<Tile> tiles_;
    std::int32_t scrollPos_ = 0;
    std::int32_t contentHeight_ = 0;
    std::int32_t selected_ = -1;
    bool autoResize_ = true;
    bool keyboardNavigation_ = false;
    bool keyboardFocus_ = false;  // the focus came, or a key came, from the keyboard
    QColor focusMarkColour_{Qt::black};
    int layout_ = 0;

    PaintItem onPaintItem_;
    ClickItem onClickItem_;
    MoveItem onMoveItem_;
    ActivateItem onActivateItem_;
    ItemName itemName_;
};

}  // namespace velmora
