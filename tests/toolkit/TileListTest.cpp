#include <gtest/gtest.h>

#include "support/GuiApplication.h"
#include "toolkit/Panel.h"
#include "toolkit/PanelCanvas.h"
#include "toolkit/ScrollBar.h"
#include "toolkit/TileList.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>

#include <limits>
#include <memory>
#include <vector>

namespace velmora {
namespace {

using Tile = TileList::Tile;

// A shown window with a panel and a scroll bar beside it, the list on them,
// and counters on the list's callbacks.
struct ListWindow : test::NeedsGuiApplication {
    explicit ListWindow(QSize panelSize)
    {
        window.resize(panelSize.width() + 40, panelSize.height() + 20);
        panel = new Panel(&window);
        panel->setGeometry(QRect(QPoint(0, 0), panelSize));
        bar = new ScrollBar(Qt::Vertical, &window);
        bar->setGeometry(panelSize.width(), 0, 20, panelSize.height());
        bar->setFocusPolicy(Qt::StrongFocus);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        list = std::make_unique<TileList>(*panel, *bar);
        list->SetOnPaintItem([this](QPainter& canvas, const QRect& rect, int index, bool selected) {
            painted.push_back(index);
            canvas.fillRect(rect, TileColour(index));
            if (selected)
                canvas.fillRect(QRect(rect.topLeft(), QSize(4, 4)), Qt::black);
        });
        list->SetOnClickItem([this](const QRect&, int index, bool changed, int x, int y) {
            clicks.push_back({index, changed ? 1 : 0, x, y});
        });
    }

    void SetTiles(const std::vector<Tile>& tiles)
    {
        list->Clear();
        list->SetCount(static_cast<int>(tiles.size()));
        for (int i = 0; i < list->Count(); ++i)
            list->Item(i) = tiles[static_cast<std::size_t>(i)];
        list->UpdateScrolling();
        list->Paint();
        painted.clear();
    }

    static QColor TileColour(int index) { return QColor::fromHsv((index * 47) % 360, 200, 220).toRgb(); }

    QWidget window;
    Panel* panel = nullptr;
    QScrollBar* bar = nullptr;
    std::unique_ptr<TileList> list;
    std::vector<int> painted;
    std::vector<std::vector<int>> clicks;  // index, changed, x, y
};

// Whether the bar's track shows a thumb: without one, every row of the track
// between the arrows is drawn alike.
bool ThumbDrawn(QScrollBar& bar)
{
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.orientation = Qt::Vertical;
    option.subControls = QStyle::SC_All;
    option.maximum = 1;
    const QRect track = bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarGroove, &bar);
    const QImage image = bar.grab().toImage().convertToFormat(QImage::Format_RGB32).copy(track);
    for (int y = 1; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != image.pixel(x, 0))
                return true;
        }
    }
    return false;
}

// One tile from 0 down to `height`: content of exactly that height.
std::vector<Tile> ContentOfHeight(int height)
{
    return {Tile{0, 0, 50, height / 2}, Tile{0, height / 2, 50, height - height / 2}};
}

TEST(TileList, ScrollBarSettingsFollowTheContentHeight)
{
    // maximum: Qt's highest position, content - panel when scrollable.
    struct Row {
        const char* name;
        int content;
        int panel;
        bool enabled;
        int maximum;
        int pageStep;
    };
    const Row rows[] = {
        {"taller", 1000, 400, true, 600, 400},
        {"one pixel taller", 401, 400, true, 1, 400},
        {"exactly as tall", 400, 400, false, 2, 1},
        {"shorter", 250, 400, false, 2, 1},
        {"empty", 0, 400, false, 2, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ListWindow w(QSize(300, row.panel));
        w.SetTiles(ContentOfHeight(row.content));
        EXPECT_EQ(w.list->ContentHeight(), row.content);
        EXPECT_EQ(w.bar->isEnabled(), row.enabled);
        EXPECT_EQ(w.bar->minimum(), 0);
        EXPECT_EQ(w.bar->maximum(), row.maximum);
        EXPECT_EQ(w.bar->pageStep(), row.pageStep);
        EXPECT_EQ(w.bar->value(), 0);
        EXPECT_EQ(ThumbDrawn(*w.bar), row.enabled);
        w.list->ScrollTo(1 << 20);
        w.list->UpdateScrolling();
        EXPECT_EQ(w.list->ScrollPos(), row.enabled ? row.maximum : 0);
        EXPECT_EQ(w.bar->value(), w.list->ScrollPos());
        if (row.enabled) {
            EXPECT_EQ(w.bar->singleStep(), 10);
            // The whole document the bar shows: 0 .. content - 1.
            EXPECT_EQ(w.bar->maximum() + w.bar->pageStep() - 1, row.content - 1);
        }
    }
}

TEST(TileList, ScrollingIsClampedToTheContent)
{
    constexpr int kMax = std::numeric_limits<int>::max();
    // ScrollTo(start), then ScrollBy(delta).
    struct Row {
        const char* name;
        std::vector<Tile> tiles;
        int panel;
        int start;
        int delta;
        int expected;
        bool repaints;
    };
    const std::vector<Row> rows = {
        {"down to the end", ContentOfHeight(1000), 400, 580, 50, 600, true},
        {"up to the top", ContentOfHeight(1000), 400, 20, -50, 0, true},
        {"within the range", ContentOfHeight(1000), 400, 100, 50, 150, true},
        {"ScrollTo past the end", ContentOfHeight(1000), 400, 5000, 0, 600, true},
        {"exactly as tall: still runs, stays 0", ContentOfHeight(400), 400, 0, 50, 0, true},
        {"shorter: does nothing", ContentOfHeight(300), 400, 0, 50, 0, false},
        {"bottom beyond 32 bits",
         {Tile{0, 0, 50, 50}, Tile{0, kMax - 10, 50, 1000}},
         400,
         kMax,
         kMax,
         kMax - 400,
         true},
        {"large negative delta", {Tile{0, 0, 50, 50}, Tile{0, kMax - 10, 50, 1000}}, 400, 100, -kMax, 0, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ListWindow w(QSize(300, row.panel));
        w.SetTiles(row.tiles);
        w.list->ScrollTo(row.start);
        w.painted.clear();
        w.list->ScrollBy(row.delta);
        EXPECT_EQ(w.list->ScrollPos(), row.expected);
        EXPECT_EQ(w.bar->value(), row.expected);
        EXPECT_EQ(!w.painted.empty(), row.repaints);
    }
}

TEST(TileList, UserScrollingIsShownAtOnce)
{
    ListWindow w(QSize(300, 400));
    w.SetTiles({Tile{0, 0, 300, 100}, Tile{0, 500, 300, 500}});
    w.bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(w.list->ScrollPos(), 400);
    EXPECT_EQ(w.painted, (std::vector<int>{1}));
    EXPECT_EQ(w.list->Canvas().Image().pixel(10, 150), ListWindow::TileColour(1).rgb());
    w.bar->setValue(100000);  // Qt keeps it within the range the list set
    EXPECT_EQ(w.list->ScrollPos(), 600);
}

TEST(TileList, PaintsVisibleTilesInIndexOrderLikeAnIndependentDrawing)
{
    const std::vector<Tile> tiles = {
        Tile{10, 10, 100, 100},                          // overlapped by the next one
        Tile{60, 60, 100, 100}, Tile{0, -200, 50, 100},  // wholly above the content origin
        Tile{300, 0, 20, 20},                            // at the panel's right edge
        Tile{0, 700, 120, 50},                           // below the panel until scrolled
    };
    struct Row {
        int scroll;
        int selected;
        std::vector<int> painted;
    };
    const Row rows[] = {{0, 1, {0, 1}}, {350, 4, {4}}, {30, -1, {0, 1}}};  // 350: the end
    for (const Row& row : rows) {
        SCOPED_TRACE(row.scroll);
        ListWindow w(QSize(300, 400));
        w.SetTiles(tiles);
        w.list->Select(row.selected);
        w.list->ScrollTo(row.scroll);
        ASSERT_EQ(w.list->ScrollPos(), row.scroll);
        w.list->Paint();
        EXPECT_EQ(w.painted, row.painted);

        QImage expected(300, 400, QImage::Format_RGB32);
        expected.fill(Qt::white);
        QPainter painter(&expected);
        for (const int index : row.painted) {
            const Tile& t = tiles[static_cast<std::size_t>(index)];
            const QRect rect(t.left, t.top - row.scroll, t.width, t.height);
            painter.fillRect(rect, ListWindow::TileColour(index));
            if (index == row.selected)
                painter.fillRect(QRect(rect.topLeft(), QSize(4, 4)), Qt::black);
        }
        painter.end();
        EXPECT_EQ(w.list->Canvas().Image(), expected);
    }
}

TEST(TileList, HitTestTakesTheLowestIndexUnderThePoint)
{
    struct Row {
        QPoint point;
        int scroll;
        int hit;
    };
    const Row rows[] = {
        {{70, 70}, 0, 0},                         // both tiles: the lower index wins
        {{150, 150}, 0, 1}, {{109, 109}, 0, 0},   // last pixel of tile 0
        {{110, 20}, 0, -1},                       // right edge is exclusive
        {{5, 5}, 0, -1},    {{150, 50}, 100, 1},  // content y 150
        {{20, 20}, 600, 2},                       // content y 620
    };
    ListWindow w(QSize(300, 400));
    w.SetTiles({Tile{10, 10, 100, 100}, Tile{60, 60, 100, 100}, Tile{0, 600, 300, 400}});
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.point.x() << "," << row.point.y() << " scrolled " << row.scroll);
        w.list->ScrollTo(row.scroll);
        EXPECT_EQ(w.list->HitTest(row.point), row.hit);
    }
}

TEST(TileList, LeftPressesSelectAndReportOtherButtonsAreIgnored)
{
    struct Step {
        Qt::MouseButton button;
        QPoint point;
        std::vector<std::vector<int>> clicks;
        int selected;
    };
    const Step steps[] = {
        {Qt::LeftButton, {70, 70}, {{0, 1, 60, 60}}, 0},
        {Qt::LeftButton, {20, 30}, {{0, 0, 10, 20}}, 0},  // the selected tile again
        {Qt::RightButton, {150, 150}, {}, 0},
        {Qt::MiddleButton, {150, 150}, {}, 0},
        {Qt::LeftButton, {150, 150}, {{1, 1, 90, 90}}, 1},
        {Qt::LeftButton, {250, 350}, {{-1, 1, 0, 0}}, -1},  // empty space clears
        {Qt::LeftButton, {250, 350}, {{-1, 0, 0, 0}}, -1},
    };
    ListWindow w(QSize(300, 400));
    w.SetTiles({Tile{10, 10, 100, 100}, Tile{60, 60, 100, 100}, Tile{0, 500, 300, 500}});
    w.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << step.button << " at " << step.point.x() << "," << step.point.y());
        w.clicks.clear();
        w.painted.clear();
        QTest::mouseClick(w.panel, step.button, {}, step.point);
        EXPECT_EQ(w.list->Selected(), step.selected);
        EXPECT_EQ(w.clicks, step.clicks);
        EXPECT_EQ(w.painted.empty(), step.clicks.empty()) << "a handled press repaints";
    }
    EXPECT_TRUE(w.bar->hasFocus()) << "a press gives the scroll bar the focus";

    std::vector<std::vector<int>> moves;  // index, x, y
    w.list->SetOnMoveItem([&](const QRect&, int index, int x, int y) { moves.push_back({index, x, y}); });
    w.painted.clear();
    QTest::mouseMove(w.panel, QPoint(150, 150));
    QTest::mouseMove(w.panel, QPoint(250, 350));
    EXPECT_EQ(moves, (std::vector<std::vector<int>>{{1, 90, 90}, {-1, 0, 0}}));
    EXPECT_TRUE(w.painted.empty()) << "moves never repaint";
}

TEST(TileList, SelectAndItemKeepToExistingTiles)
{
    struct Row {
        int index;
        int selected;
        int changed;
    };
    const Row rows[] = {{1, 1, 1}, {1, 1, 0}, {3, -1, 1}, {-5, -1, 0}, {0, 0, 1}, {-1, -1, 1}};
    ListWindow w(QSize(300, 400));
    w.SetTiles({Tile{0, 0, 10, 10}, Tile{0, 10, 10, 10}, Tile{0, 20, 10, 10}});
    for (const Row& row : rows) {
        SCOPED_TRACE(row.index);
        w.clicks.clear();
        w.list->Select(row.index);
        EXPECT_EQ(w.list->Selected(), row.selected);
        EXPECT_EQ(w.clicks, (std::vector<std::vector<int>>{{-1, row.changed, 0, 0}})) << "always index -1";
        EXPECT_TRUE(w.painted.empty()) << "Select does not repaint";
    }
    EXPECT_THROW(w.list->Item(3), std::out_of_range);
    EXPECT_THROW(w.list->Item(-1), std::out_of_range);
}

TEST(TileList, KeysMoveTheSelectionAsAPressOnTheNewTile)
{
    // Two columns of 100 x 100 tiles in reading order, 7 tiles, in a panel
    // 250 pixels high; keys act only with keyboard navigation on.
    std::vector<Tile> grid;
    for (int i = 0; i < 7; ++i)
        grid.push_back(Tile{(i % 2) * 100, (i / 2) * 100, 100, 100});
    constexpr int kNone = -2;  // no click reported
    struct Row {
        const char* name;
        int from;
        int key;
        Qt::KeyboardModifiers modifiers;
        int selected;
        int clicked;
        int scroll;
        bool consumed;
    };
    const Row rows[] = {
        {"Down from nothing: first", -1, Qt::Key_Down, {}, 0, 0, 0, true},
        {"Up from nothing: last", -1, Qt::Key_Up, {}, 6, 6, 150, true},
        {"Down: the row below, same column", 1, Qt::Key_Down, {}, 3, 3, 0, true},
        {"Down into the last row: scrolled into view", 3, Qt::Key_Down, {}, 5, 5, 50, true},
        {"Down to a shorter row: nearest column", 5, Qt::Key_Down, {}, 6, 6, 150, true},
        {"Down in the last row: stays, no click", 6, Qt::Key_Down, {}, 6, kNone, 150, true},
        {"Up: the row above", 2, Qt::Key_Up, {}, 0, 0, 0, true},
        {"Right: the next tile", 1, Qt::Key_Right, {}, 2, 2, 0, true},
        {"Left: the previous tile", 2, Qt::Key_Left, {}, 1, 1, 0, true},
        {"Left on the first: stays", 0, Qt::Key_Left, {}, 0, kNone, 0, true},
        {"Page Down: as far as a page reaches", 0, Qt::Key_PageDown, {}, 4, 4, 50, true},
        {"Page Up: back a page", 6, Qt::Key_PageUp, {}, 2, 2, 100, true},
        {"End: the last", 0, Qt::Key_End, {}, 6, 6, 150, true},
        {"Home: the first", 5, Qt::Key_Home, {}, 0, 0, 0, true},
        {"keypad arrows count", 0, Qt::Key_Down, Qt::KeypadModifier, 2, 2, 0, true},
        {"with Ctrl: not the list's", 0, Qt::Key_Down, Qt::ControlModifier, 0, kNone, 0, false},
        {"Space: not the list's", 0, Qt::Key_Space, {}, 0, kNone, 0, false},
        {"Enter without an activate handler: not the list's", 0, Qt::Key_Return, {}, 0, kNone, 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ListWindow w(QSize(200, 250));
        w.SetTiles(grid);
        w.list->SetKeyboardNavigation(true);
        w.list->Select(row.from);
        w.list->ScrollIntoView(row.from);
        w.clicks.clear();
        w.painted.clear();
        QKeyEvent press(QEvent::KeyPress, row.key, row.modifiers);
        QCoreApplication::sendEvent(w.panel, &press);
        EXPECT_EQ(w.list->Selected(), row.selected);
        const std::vector<std::vector<int>> clicks =
            row.clicked == kNone ? std::vector<std::vector<int>>{}
                                 : std::vector<std::vector<int>>{{row.clicked, 1, TileList::kByKey, TileList::kByKey}};
        EXPECT_EQ(w.clicks, clicks);
        EXPECT_EQ(w.list->ScrollPos(), row.scroll);
        EXPECT_EQ(w.bar->value(), row.scroll);
        EXPECT_EQ(press.isAccepted(), row.consumed) << "consumed keys stop at the list";
        EXPECT_EQ(!w.painted.empty(), row.clicked != kNone) << "a move repaints";
    }
}

TEST(TileList, EnterActivatesTheSelectedTileAndTheFocusIsMarked)
{
    ListWindow w(QSize(200, 250));
    w.SetTiles({Tile{0, 0, 100, 100}, Tile{100, 0, 100, 100}});
    std::vector<int> activated;
    w.list->SetOnActivateItem([&](int index) { activated.push_back(index); });
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, {});
    QCoreApplication::sendEvent(w.panel, &enter);
    EXPECT_TRUE(activated.empty()) << "keys need keyboard navigation";

    w.list->SetKeyboardNavigation(true);
    QCoreApplication::sendEvent(w.panel, &enter);
    EXPECT_TRUE(activated.empty()) << "nothing selected";
    w.list->Select(1);
    QCoreApplication::sendEvent(w.panel, &enter);
    EXPECT_EQ(activated, std::vector<int>{1});

    EXPECT_EQ(w.panel->focusPolicy(), Qt::StrongFocus);
    w.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
    const QColor mark(0x12, 0x34, 0x56);
    w.list->SetFocusMarkColour(mark);
    QTest::mouseClick(w.panel, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(w.panel->hasFocus()) << "a press focuses the list, not its scroll bar";
    // A dotted frame 5 pixels inside the selected tile: marks along its top
    // row, none on the tile's edge.
    const auto marksOnRow = [&](int y) {
        int count = 0;
        for (int x = 0; x < 200; ++x)
            count += w.list->Canvas().Image().pixel(x, y) == mark.rgb() ? 1 : 0;
        return count;
    };
    EXPECT_EQ(marksOnRow(5), 0) << "no mark after a press";
    QTest::keyClick(w.panel, Qt::Key_Home);
    EXPECT_GT(marksOnRow(5), 20) << "a key marks the focus";
    EXPECT_EQ(marksOnRow(0), 0);
    w.panel->clearFocus();
    EXPECT_EQ(marksOnRow(5), 0) << "gone with the focus";
}

TEST(TileList, AutoResizeRepaintsIntoTheResizedPicture)
{
    ListWindow w(QSize(300, 400));
    w.SetTiles(ContentOfHeight(1000));
    w.panel->resize(350, 500);
    EXPECT_EQ(w.bar->pageStep(), 500);
    EXPECT_EQ(w.list->Canvas().Image().size(), QSize(350, 500));
    EXPECT_EQ(w.list->Canvas().Image().pixel(340, 490), qRgb(255, 255, 255)) << "painted after it grew";
}

}  // namespace
}  // namespace velmora
