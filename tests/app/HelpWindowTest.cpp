#include <gtest/gtest.h>

#include <QApplication>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <climits>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/HelpWindow.h"
#include "app/HelpWindowLayout.h"
#include "content/ContentItem.h"
#include "graphics/ToneCurve.h"
#include "support/GuiApplication.h"
#include "toolkit/Desktop.h"
#include "toolkit/PanelCanvas.h"
#include "toolkit/TileList.h"
#include "toolkit/WindowFrame.h"

namespace velmora::app {
namespace {

using layout::HelpZoom;

struct PageShape {
    std::string key;
    std::int32_t width;
    std::int32_t height;
    std::int32_t gap;
};

// Help pages as the content loader leaves them: pictures in memory, each
// with a diagonal ramp of ink so resampling and tone curves show.
std::unique_ptr<ContentItem> MakePages(const std::vector<PageShape>& shapes)
{
    auto pages = std::make_unique<ContentItem>();
    for (const PageShape& shape : shapes) {
        auto page = std::make_unique<ContentItem>();
        page->name = shape.key;
        page->flags = kHasPicture;
        page->value = shape.gap;
        auto picture = std::make_shared<CoveragePicture>();
        picture->SetSize(shape.width, shape.height);
        for (std::int32_t y = 0; y < shape.height; ++y)
            for (std::int32_t x = 0; x < shape.width; ++x)
                picture->Data()[static_cast<std::size_t>(y) * shape.width + x] =
                    static_cast<std::uint8_t>((x + y) * 255 / std::max(shape.width + shape.height - 2, 1));
        page->image = std::move(picture);
        pages->AddChild(std::move(page));
    }
    return pages;
}

// A help window over its pages, with a plain widget in the main window's
// place.
struct HelpFixture : test::NeedsGuiApplication {
    explicit HelpFixture(const std::vector<PageShape>& shapes, QRect mainGeometry = {100, 40, 800, 700})
        : pages(MakePages(shapes))
    {
        mainWindow.setGeometry(mainGeometry);
        window = std::make_unique<HelpWindow>(*pages, QColor(0xE7, 0xEC, 0xF1), mainWindow);
    }

    // Runs the builder until it removes itself, at most `limit` steps.
    int BuildAll(int limit = 1000)
    {
        int steps = 0;
        bool done = false;
        while (steps < limit && !done) {
            done = true;
            window->BuildPagesOnIdle(done);
            ++steps;
        }
        return steps;
    }

    std::vector<int> PreparedPages() const
    {
        std::vector<int> prepared;
        for (int i = 0; i < pages->ChildCount(); ++i)
            if (pages->ChildAt(i)->prepared)
                prepared.push_back(i);
        return prepared;
    }

    std::unique_ptr<ContentItem> pages;
    QWidget mainWindow;
    std::unique_ptr<HelpWindow> window;
};

TEST(HelpWindow, StartingMagnificationFollowsTheWorkAreaWidth)
{
    struct Row {
        int workAreaWidth;
        int sideMargin;
        HelpZoom zoom;
        bool fullSizeEnabled;
    };
    const Row rows[] = {
        {640, 5, HelpZoom::Percent70, true},    {1023, 5, HelpZoom::Percent70, true},
        {1024, 30, HelpZoom::Percent70, false}, {1279, 30, HelpZoom::Percent70, false},
        {1280, 30, HelpZoom::Percent80, true},  {2560, 30, HelpZoom::Percent80, true},
    };
    HelpFixture help({{"a", 600, 400, 10}});
    for (const Row& row : rows) {
        help.window->ApplyWorkAreaWidth(row.workAreaWidth);
        EXPECT_EQ(help.window->SideMargin(), row.sideMargin) << row.workAreaWidth;
        EXPECT_EQ(help.window->Zoom(), row.zoom) << row.workAreaWidth;
        EXPECT_EQ(help.window->ZoomEnabled(HelpZoom::Percent100), row.fullSizeEnabled) << row.workAreaWidth;
        // The page column follows the checked magnification at once.
        EXPECT_EQ(help.window->ColumnWidth(), static_cast<int>(600 * layout::HelpZoomFactor(row.zoom) + 0.5f));
    }
}

TEST(HelpWindow, FirstShowingIsSizedFromTheMainWindowAndLaterOnesKeepTheUsersChoice)
{
    // A 1000-pixel page at 70% gives a 700-pixel column; with side margins of
    // 5 and the 33 pixels the window has beside its page panel, 743 wide
    // inside the window manager's frame. Sizes and places are the whole
    // window's, frame included.
    HelpFixture help({{"a", 1000, 400, 10}}, QRect(100, 40, 800, 700));
    help.window->ApplyWorkAreaWidth(800);
    help.window->PrepareToShow("");
    const QRect area = Desktop::WorkArea(&help.mainWindow);
    const QMargins frame = WindowFrame::Of(*help.window);
    const int outerWidth = 743 + frame.left() + frame.right();
    const QRect main = help.mainWindow.frameGeometry();
    EXPECT_EQ(help.window->frameGeometry(),
              QRect((area.width() - outerWidth) / 2, main.top() + 5, outerWidth, main.height() - 10));
    EXPECT_EQ(help.window->PagePanel().width(), 710);

    help.window->setGeometry(50, 60, 640, 480);
    help.window->PrepareToShow("a");
    EXPECT_EQ(help.window->geometry(), QRect(50, 60, 640, 480));

    // Never smaller than 590 x 250, even for a narrow page column.
    HelpFixture narrow({{"a", 100, 400, 10}}, QRect(0, 0, 800, 200));
    narrow.window->PrepareToShow("");
    EXPECT_EQ(narrow.window->frameGeometry().size(), QSize(590, 250));
}

TEST(HelpWindow, OpensAtTheGapAboveTheKeyedPageAndBuildsFromThePageBefore)
{
    struct Row {
        const char* name;
        std::vector<std::string> keys;
        std::string key;
        int scrollPos;
        int loadFrom;
        std::vector<int> buildOrder;
    };
    // At 100% every page is 1000 high with a 30-pixel gap: page i starts at
    // 20 + 30 + i x 1030.
    const Row rows[] = {
        {"third page", {"a", "b", "c", "d"}, "c", 2080, 1, {1, 2, 3, 0}},
        {"first page", {"a", "b", "c", "d"}, "a", 20, -1, {0, 1, 2, 3}},
        {"empty key", {"", "b", "c", "d"}, "", 20, -1, {0, 1, 2, 3}},
        {"unknown key", {"a", "b", "c", "d"}, "x", 0, 0, {0, 1, 2, 3}},
        {"the last of two equal keys", {"a", "x", "x", "d"}, "x", 2080, 1, {1, 2, 3, 0}},
        {"the case must match", {"a", "b", "C", "d"}, "c", 0, 0, {0, 1, 2, 3}},
    };
    for (const Row& row : rows) {
        std::vector<PageShape> shapes;
        for (const std::string& key : row.keys)
            shapes.push_back({key, 200, 1000, 30});
        HelpFixture help(shapes, QRect(0, 0, 800, 500));
        help.window->SetZoom(HelpZoom::Percent100);
        help.window->PrepareToShow(row.key);
        EXPECT_EQ(help.window->PageList().ScrollPos(), row.scrollPos) << row.name;
        EXPECT_EQ(help.window->LoadFrom(), row.loadFrom) << row.name;

        std::vector<int> order;
        std::vector<int> before;
        for (int step = 0; step < 10 && order.size() < row.keys.size(); ++step) {
            bool done = true;
            help.window->BuildPagesOnIdle(done);
            EXPECT_FALSE(done) << row.name;
            EXPECT_FALSE(help.window->LoadingPanel().isHidden()) << row.name << ": loading panel while building";
            const std::vector<int> now = help.PreparedPages();
            for (const int page : now)
                if (std::find(before.begin(), before.end(), page) == before.end())
                    order.push_back(page);
            before = now;
        }
        EXPECT_EQ(order, row.buildOrder) << row.name;
        help.BuildAll();
        EXPECT_TRUE(help.window->LoadingPanel().isHidden()) << row.name << ": loading panel after the last page";
    }
}

TEST(HelpWindow, ChangingMagnificationKeepsTheRelativePlaceInTheText)
{
    struct Row {
        HelpZoom from;
        HelpZoom to;
        int position;
    };
    const Row rows[] = {
        {HelpZoom::Percent70, HelpZoom::Percent50, 3000},
        {HelpZoom::Percent50, HelpZoom::Percent100, 1234},
        {HelpZoom::Percent80, HelpZoom::Percent60, 0},
        {HelpZoom::Percent90, HelpZoom::Percent70, 6001},
    };
    for (const Row& row : rows) {
        HelpFixture help({{"a", 600, 2000, 40}, {"b", 600, 2000, 40}, {"c", 600, 2000, 40}, {"d", 600, 2000, 40}},
                         QRect(0, 0, 800, 500));
        help.window->SetZoom(row.from);
        help.window->PrepareToShow("");
        help.window->PageList().ScrollTo(row.position);
        const std::int64_t before = help.window->PageList().ContentHeight();
        ASSERT_EQ(help.window->PageList().ScrollPos(), row.position);
        help.window->SetZoom(row.to);
        const std::int64_t after = help.window->PageList().ContentHeight();
        EXPECT_NE(before, after);
        EXPECT_EQ(help.window->PageList().ScrollPos(), static_cast<int>(after * row.position / before))
            << static_cast<int>(row.from) << " -> " << static_cast<int>(row.to);
    }
}

TEST(HelpWindow, PagesGetTheToneCurveOfTheirMagnification)
{
    struct Row {
        HelpZoom zoom;
        int amount;
    };
    const Row rows[] = {
        {HelpZoom::Percent50, 70}, {HelpZoom::Percent60, 70}, {HelpZoom::Percent70, 50},
        {HelpZoom::Percent80, 35}, {HelpZoom::Percent90, 35}, {HelpZoom::Percent100, 0},
    };
    for (const Row& row : rows) {
        HelpFixture help({{"a", 120, 90, 0}});
        help.window->SetZoom(row.zoom);
        help.window->PrepareToShow("");
        help.BuildAll();
        const ContentItem& page = *help.pages->ChildAt(0);
        ASSERT_TRUE(page.prepared);
        ASSERT_NE(page.bitmap, nullptr);

        // The same page built by hand with the expected amount.
        auto expected = MakePages({{"a", 120, 90, 0}});
        ContentItem& reference = *expected->ChildAt(0);
        reference.SetScale(Scope::Self, layout::HelpZoomFactor(row.zoom));
        reference.Prepare(Scope::Self);
        reference.ConvertBitmapToGrey(Scope::Self);
        ApplyToneCurve(reference.bitmap.get(), row.amount);

        ASSERT_EQ(page.bitmap->Width(), reference.bitmap->Width());
        ASSERT_EQ(page.bitmap->Height(), reference.bitmap->Height());
        ASSERT_EQ(page.bitmap->Format(), PixelFormat::Bits8);
        for (int y = 0; y < page.bitmap->Height(); ++y)
            ASSERT_EQ(0, std::memcmp(page.bitmap->ScanLine(y), reference.bitmap->ScanLine(y),
                                     static_cast<std::size_t>(page.bitmap->Width())))
                << "zoom " << static_cast<int>(row.zoom) << " row " << y;
    }
}

TEST(HelpWindow, EachWheelNotificationScrollsOneEighteenthOfTheColumn)
{
    struct Row {
        int delta;
        int pagesHigh;  // page height; short pages all fit in the panel
        int moved;
    };
    // 600-pixel pages at 70%: a 420-pixel column, a step of 23 pixels.
    const Row rows[] = {
        {-120, 3000, 23}, {-1, 3000, 23}, {-960, 3000, 23}, {120, 3000, -23}, {480, 3000, -23}, {-120, 50, 0},
    };
    for (const Row& row : rows) {
        HelpFixture help({{"a", 600, row.pagesHigh, 10}, {"b", 600, row.pagesHigh, 10}}, QRect(0, 0, 800, 500));
        help.window->ApplyWorkAreaWidth(800);
        help.window->PrepareToShow("");
        ASSERT_EQ(help.window->ColumnWidth(), 420);
        const int start = row.pagesHigh > 100 ? 1000 : 0;
        help.window->PageList().ScrollTo(start);
        QWidget& panel = help.window->PagePanel();
        const QPointF inside(panel.width() / 2.0, panel.height() / 2.0);
        QWheelEvent wheel(inside, panel.mapToGlobal(inside), QPoint(), QPoint(0, row.delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&panel, &wheel);
        EXPECT_EQ(help.window->PageList().ScrollPos(), start + row.moved) << row.delta << " " << row.pagesHigh;
    }
}

TEST(HelpWindow, KeysScrollAndChangeTheMagnificationWhereverTheFocusIs)
{
    // 600-pixel pages at 70%: a 420-pixel column, a line of 23 pixels; the
    // view starts 1000 pixels down. Zoom: the checked magnification after.
    struct Row {
        const char* name;
        QKeySequence key;
        int moved;
        HelpZoom zoom;
    };
    const int page = -1;  // the page panel's height, known once shown
    const Row rows[] = {
        {"Down: a line", QKeySequence(Qt::Key_Down), 23, HelpZoom::Percent70},
        {"Up: a line back", QKeySequence(Qt::Key_Up), -23, HelpZoom::Percent70},
        {"Page Down: the view", QKeySequence(Qt::Key_PageDown), page, HelpZoom::Percent70},
        {"Page Up: the view back", QKeySequence(Qt::Key_PageUp), -page, HelpZoom::Percent70},
        {"Home: the top", QKeySequence(Qt::Key_Home), -1000, HelpZoom::Percent70},
        {"Ctrl and +: larger", QKeySequence(Qt::CTRL | Qt::Key_Plus), 0, HelpZoom::Percent80},
        {"Ctrl and =: larger", QKeySequence(Qt::CTRL | Qt::Key_Equal), 0, HelpZoom::Percent80},
        {"Ctrl and -: smaller", QKeySequence(Qt::CTRL | Qt::Key_Minus), 0, HelpZoom::Percent60},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HelpFixture help({{"a", 600, 3000, 10}, {"b", 600, 3000, 10}}, QRect(0, 0, 800, 500));
        help.window->ApplyWorkAreaWidth(800);
        help.window->PrepareToShow("");
        help.window->show();
        help.window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(help.window.get()));
        help.window->PageList().ScrollTo(1000);
        const int panelHeight = help.window->PagePanel().height();
        const int moved = row.moved == page ? panelHeight : row.moved == -page ? -panelHeight : row.moved;
        const QKeyCombination key = row.key[0];
        // The focus sits on a magnification button, whose own arrows move
        // between the buttons.
        QWidget* focus = help.window->findChild<QRadioButton*>("zoom70Button");
        focus->setFocus();
        QTest::keyClick(focus, key.key(), key.keyboardModifiers());
        if (row.zoom == HelpZoom::Percent70) {
            EXPECT_EQ(help.window->PageList().ScrollPos(), 1000 + moved);
        }
        EXPECT_EQ(help.window->Zoom(), row.zoom);
    }
}

TEST(HelpWindow, StepZoomPassesOverADisabledMagnificationAndStopsAtTheEnds)
{
    struct Row {
        int workArea;
        HelpZoom from;
        int direction;
        HelpZoom expected;
    };
    const Row rows[] = {
        {1100, HelpZoom::Percent80, +1, HelpZoom::Percent90},
        {1100, HelpZoom::Percent90, +1, HelpZoom::Percent90},  // 100% is disabled there
        {800, HelpZoom::Percent90, +1, HelpZoom::Percent100},
        {800, HelpZoom::Percent100, +1, HelpZoom::Percent100},
        {800, HelpZoom::Percent50, -1, HelpZoom::Percent50},
    };
    for (const Row& row : rows) {
        HelpFixture help({{"a", 600, 400, 10}});
        help.window->ApplyWorkAreaWidth(row.workArea);
        help.window->SetZoom(row.from);
        help.window->StepZoom(row.direction);
        EXPECT_EQ(help.window->Zoom(), row.expected) << row.workArea << " " << static_cast<int>(row.from);
    }
}

TEST(HelpWindow, HugeGapsAndTallPagesLayOutWithoutOverflow)
{
    // A hundred pages of 1200 x 30000 with gaps of 2^31 - 1: the column is
    // far taller than 32 bits can say.
    const std::vector<layout::HelpPageExtent> pages(100, {INT32_MAX, 30000});
    const std::vector<Rect> tiles = layout::HelpPageTiles(pages, 577);
    ASSERT_EQ(tiles.size(), 102u);
    EXPECT_EQ(tiles[0], (Rect{0, 0, 577, 20}));
    EXPECT_EQ(tiles[1].top, INT32_MAX);
    for (std::size_t i = 1; i < tiles.size(); ++i) {
        EXPECT_GE(tiles[i].top, tiles[i - 1].top) << i;
        EXPECT_EQ(tiles[i].width, 577);
    }
    EXPECT_EQ(tiles.back().height, 60);
    // Negative gaps may move pages up, never wrap.
    const std::vector<Rect> negative = layout::HelpPageTiles({{INT32_MIN, 100}, {INT32_MIN, 100}}, 100);
    EXPECT_EQ(negative[2].top, INT32_MIN);

    struct Row {
        std::int32_t position;
        std::int32_t oldHeight;
        std::int32_t newHeight;
        std::int32_t expected;
    };
    const Row rows[] = {
        {INT32_MAX - 500, INT32_MAX, INT32_MAX, INT32_MAX - 500},
        {1 << 30, INT32_MAX, 1 << 20, (1 << 19)},
        {3000, 6000, 4000, 2000},
        {77, 0, 5000, 77},
    };
    for (const Row& row : rows)
        EXPECT_EQ(layout::KeepRelativeScroll(row.position, row.oldHeight, row.newHeight), row.expected)
            << row.position << " " << row.oldHeight << " " << row.newHeight;

    // The window itself with such gaps, at the far end and across a change
    // of magnification.
    HelpFixture help(std::vector<PageShape>(100, {"k", 40, 300, INT32_MAX}), QRect(0, 0, 800, 500));
    help.window->PrepareToShow("k");
    TileList& list = help.window->PageList();
    EXPECT_EQ(list.ContentHeight(), INT32_MAX);
    list.ScrollTo(INT32_MAX);
    const int bottom = list.ScrollPos();
    EXPECT_EQ(bottom, INT32_MAX - help.window->PagePanel().height());
    help.window->SetZoom(HelpZoom::Percent50);
    EXPECT_GE(list.ScrollPos(), 0);
    EXPECT_LE(list.ScrollPos(), bottom);
    EXPECT_EQ(list.ScrollBar()->maximum(), bottom);
}

TEST(HelpWindow, PagesAreDrawnAsGreyBoxesThenBuiltThenStretchedWhileStale)
{
    // One 300 x 200 page at 100% centred in the panel, at y = 20 + 10; the
    // points are from the column's left edge.
    struct Row {
        const char* name;
        bool build;
        HelpZoom zoomAfterBuild;
        QPoint inside;   // a dark pixel near the page's top-left corner, or the grey box
        QPoint outside;  // white
    };
    const Row rows[] = {
        {"unbuilt", false, HelpZoom::Percent100, {5, 35}, {-3, 35}},
        {"built", true, HelpZoom::Percent100, {3, 33}, {-3, 33}},
        // Where the page at 100% was dark, the page stretched to 50% has
        // not reached: it starts 75 pixels further right.
        {"stale at 50%", true, HelpZoom::Percent50, {78, 33}, {22, 33}},
    };
    for (const Row& row : rows) {
        HelpFixture help({{"a", 300, 200, 10}}, QRect(0, 0, 800, 500));
        help.window->SetZoom(HelpZoom::Percent100);
        help.window->PrepareToShow("");
        const QPoint column((help.window->PagePanel().width() - 300) / 2, 0);
        if (row.build)
            help.BuildAll();
        help.window->SetZoom(row.zoomAfterBuild);
        help.window->PageList().Paint();
        const QImage& canvas = help.window->PageList().Canvas().Image();
        const QRgb inside = canvas.pixel(column + row.inside);
        const QRgb outside = canvas.pixel(column + row.outside);
        EXPECT_EQ(outside, qRgb(255, 255, 255)) << row.name;
        if (row.build) {
            EXPECT_LT(qGray(inside), 100) << row.name;
        } else {
            EXPECT_EQ(inside, qRgb(240, 240, 240)) << row.name;
        }
    }
}

TEST(HelpWindow, WithoutPagesOpensEmpty)
{
    HelpFixture help({});
    help.window->PrepareToShow("anything");
    EXPECT_EQ(help.window->ColumnWidth(), 0);
    EXPECT_EQ(help.window->PageList().Count(), 2);
    EXPECT_EQ(help.window->PageList().ContentHeight(), 80);
    EXPECT_EQ(help.BuildAll(), 1);
    EXPECT_TRUE(help.window->LoadingPanel().isHidden());
}

TEST(HelpWindow, ShowsModallyBuildsInIdleTimeAndEscapeCloses)
{
    HelpFixture help({{"a", 300, 400, 10}, {"b", 300, 400, 10}, {"c", 300, 400, 10}});
    bool sawOpen = false;
    bool built = false;
    QTimer::singleShot(0, help.window.get(), [&] {
        sawOpen = help.window->isVisible() && QApplication::activeModalWidget() == help.window.get();
        built = QTest::qWaitFor([&] { return help.PreparedPages().size() == 3; }, 5000);
        QTest::keyClick(help.window.get(), Qt::Key_Escape);
    });
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, help.window.get(), &QDialog::reject);
    safety.start(10000);
    help.window->ShowHelp("b");
    EXPECT_TRUE(safety.isActive()) << "closed by the safety timer, not by Escape";
    EXPECT_TRUE(sawOpen);
    EXPECT_TRUE(built);
    EXPECT_FALSE(help.window->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return help.window->LoadingPanel().isHidden(); }, 2000));
}

// Whether anything but white was drawn: a page, or its grey box.
bool PagesDrawn(HelpWindow& window)
{
    const QImage& canvas = window.PageList().Canvas().Image();
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (canvas.pixel(x, y) != qRgb(255, 255, 255))
                return true;
    return false;
}

TEST(HelpWindow, EveryShowingDrawsThePagesWhateverTheLastOneLeftPending)
{
    // Each row closes the first showing at once after its action, while the
    // delayed redraw that action started is still pending.
    struct Row {
        const char* name;
        std::function<void(HelpWindow&)> beforeEscape;
    };
    const Row rows[] = {
        {"nothing", [](HelpWindow&) {}},
        {"another magnification", [](HelpWindow& window) { window.SetZoom(HelpZoom::Percent60); }},
        {"a resize", [](HelpWindow& window) { window.resize(window.width() + 40, window.height() + 40); }},
    };
    for (const Row& row : rows) {
        HelpFixture help({{"a", 300, 200, 10}, {"b", 300, 200, 10}});
        QTimer::singleShot(0, help.window.get(), [&] {
            row.beforeEscape(*help.window);
            QTest::keyClick(help.window.get(), Qt::Key_Escape);
        });
        help.window->ShowHelp("a");
        ASSERT_FALSE(help.window->isVisible()) << row.name;

        bool drawn = false;
        QTimer::singleShot(0, help.window.get(), [&] {
            drawn = QTest::qWaitFor([&] { return PagesDrawn(*help.window); }, 2000);
            QTest::keyClick(help.window.get(), Qt::Key_Escape);
        });
        help.window->ShowHelp("a");
        EXPECT_TRUE(drawn) << row.name;
    }
}

}  // namespace
}  // namespace velmora::app
