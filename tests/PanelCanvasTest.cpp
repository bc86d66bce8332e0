#include <gtest/gtest.h>

#include "support/GuiApplication.h"
#include "toolkit/Panel.h"
#include "toolkit/PanelCanvas.h"

#include <QPaintEvent>
#include <QScreen>
#include <QTest>

#include <memory>

namespace velmora {
namespace {

// A panel that counts the paint events its own paintEvent receives.
class CountingPanel : public Panel {
public:
    using Panel::Panel;
    int ownPaints = 0;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        ++ownPaints;
        Panel::paintEvent(event);
    }
};

// Records the region of every paint event the panel receives; installed
// after the canvas, it sees each event first.
class PaintRecorder : public QObject {
public:
    int paints = 0;
    QRegion lastRegion;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            lastRegion = static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

struct CanvasWindow : test::NeedsGuiApplication {
    CanvasWindow()
    {
        window.resize(200, 150);
        panel = new CountingPanel(&window);
        panel->setGeometry(20, 10, 120, 100);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // What reached the window's backing store, in panel coordinates.
    QImage Screen() const
    {
        const QImage whole = window.screen()->grabWindow(window.winId()).toImage();
        return whole.copy(panel->geometry()).convertToFormat(QImage::Format_RGB32);
    }

    QWidget window;
    CountingPanel* panel = nullptr;
};

TEST(PanelCanvas, PaintCopiesExactlyTheDirtyRectangleWithoutTheOwner)
{
    for (const bool withOnPaint : {false, true}) {
        SCOPED_TRACE(withOnPaint);
        CanvasWindow w;
        PanelCanvas canvas(*w.panel);
        const int ownPaintsBefore = w.panel->ownPaints;
        int onPaintCalls = 0;
        if (withOnPaint)
            canvas.SetOnPaint([&](QWidget& panel) {
                EXPECT_EQ(&panel, w.panel);
                ++onPaintCalls;
            });
        PaintRecorder recorder;
        w.panel->installEventFilter(&recorder);
        EXPECT_TRUE(w.panel->testAttribute(Qt::WA_OpaquePaintEvent));
        EXPECT_TRUE(w.panel->testAttribute(Qt::WA_NoSystemBackground));

        canvas.Image().fill(Qt::red);
        w.panel->update();
        ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.paints >= 1; }));
        EXPECT_EQ(w.Screen().pixelColor(60, 50), QColor(Qt::red));

        canvas.Image().fill(Qt::blue);  // not shown until invalidated
        const QRect dirty(10, 20, 30, 15);
        const int paintsBefore = recorder.paints;
        w.panel->update(dirty);
        ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.paints > paintsBefore; }));
        EXPECT_EQ(recorder.lastRegion, QRegion(dirty));
        const QImage screen = w.Screen();
        for (int y = 0; y < screen.height(); ++y)
            for (int x = 0; x < screen.width(); ++x)
                ASSERT_EQ(screen.pixelColor(x, y), dirty.contains(x, y) ? QColor(Qt::blue) : QColor(Qt::red))
                    << x << "," << y;
        EXPECT_EQ(w.panel->ownPaints, ownPaintsBefore) << "the panel's own painting is taken over";
        EXPECT_EQ(onPaintCalls, withOnPaint ? recorder.paints : 0);
        w.panel->removeEventFilter(&recorder);
    }
}

TEST(PanelCanvas, ResizeReachesEarlierHandlersWithThePictureAlreadyResized)
{
    // An earlier handler: the panel's own resize slot, or an event filter
    // installed before the canvas.
    class SizeProbe : public QObject {
    public:
        explicit SizeProbe(PanelCanvas*& canvas) : canvas_(canvas) {}
        QSize seen;

    protected:
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Resize && canvas_ != nullptr)
                seen = std::as_const(*canvas_).Image().size();
            return false;
        }

    private:
        PanelCanvas*& canvas_;
    };

    struct Row {
        const char* name;
        bool shown;
    };
    for (const Row row : {Row{"shown panel", true}, Row{"hidden panel", false}}) {
        SCOPED_TRACE(row.name);
        CanvasWindow w;
        if (!row.shown)
            w.panel->hide();
        PanelCanvas* current = nullptr;
        SizeProbe earlierFilter(current);
        w.panel->installEventFilter(&earlierFilter);
        QSize seenBySlot;
        w.panel->SetOnResize([&] { seenBySlot = std::as_const(*current).Image().size(); });
        PanelCanvas canvas(*w.panel);
        current = &canvas;
        canvas.Image().fill(Qt::green);

        w.panel->resize(150, 120);
        if (!row.shown) {
            EXPECT_FALSE(seenBySlot.isValid()) << "Qt holds the resize back while hidden";
            EXPECT_EQ(canvas.Image().size(), QSize(150, 120)) << "asking for the picture delivers it";
        }
        EXPECT_EQ(seenBySlot, QSize(150, 120));
        EXPECT_EQ(earlierFilter.seen, QSize(150, 120));
        const QImage& image = canvas.Image();
        EXPECT_EQ(image.format(), QImage::Format_RGB32);
        EXPECT_EQ(image.pixelColor(119, 99), QColor(Qt::green)) << "the overlap is kept";
        EXPECT_EQ(image.pixelColor(140, 110), w.panel->palette().color(w.panel->backgroundRole()))
            << "new area takes the panel's colour";
        w.panel->removeEventFilter(&earlierFilter);
    }
}

TEST(PanelCanvas, DestructionGivesThePanelBackItsPainting)
{
    CanvasWindow w;
    int resizes = 0;
    w.panel->SetOnResize([&] { ++resizes; });
    auto canvas = std::make_unique<PanelCanvas>(*w.panel);
    const int ownPaintsBefore = w.panel->ownPaints;
    canvas->Image().fill(Qt::red);
    w.panel->update();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.Screen().pixelColor(5, 5) == QColor(Qt::red); }));
    EXPECT_EQ(w.panel->ownPaints, ownPaintsBefore);

    canvas.reset();
    EXPECT_FALSE(w.panel->testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_FALSE(w.panel->testAttribute(Qt::WA_NoSystemBackground));
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.panel->ownPaints > ownPaintsBefore; }))
        << "the panel paints itself again";
    EXPECT_NE(w.Screen().pixelColor(5, 5), QColor(Qt::red));
    w.panel->resize(60, 60);
    EXPECT_EQ(resizes, 1) << "the panel's resize slot still runs";
}

}  // namespace
}  // namespace velmora
