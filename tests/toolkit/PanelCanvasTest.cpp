#include <gtest/gtest.h>

#include "support/GuiApplication.h"
#include "toolkit/Panel.h"
#include "toolkit/PanelCanvas.h"

#include <QPainter>
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
    CanvasWindow w;
    PanelCanvas canvas(*w.panel);
    EXPECT_TRUE(w.panel->testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_TRUE(w.panel->testAttribute(Qt::WA_NoSystemBackground));
    const int ownPaintsBefore = w.panel->ownPaints;
    int paints = 0;
    canvas.SetOnPaint([&](QWidget& panel) {
        EXPECT_EQ(&panel, w.panel);
        ++paints;
    });

    canvas.Image().fill(Qt::red);
    w.panel->update();
    ASSERT_TRUE(QTest::qWaitFor([&] { return paints > 0; }));
    canvas.Image().fill(Qt::blue);  // not shown until invalidated
    const QRect dirty(10, 20, 30, 15);
    const int paintsBefore = paints;
    w.panel->update(dirty);
    ASSERT_TRUE(QTest::qWaitFor([&] { return paints > paintsBefore; }));

    QImage expected(w.panel->size(), QImage::Format_RGB32);
    expected.fill(Qt::red);
    QPainter(&expected).fillRect(dirty, Qt::blue);
    EXPECT_EQ(w.Screen(), expected);
    EXPECT_EQ(w.panel->ownPaints, ownPaintsBefore) << "the panel's own painting is taken over";
}

TEST(PanelCanvas, ResizeReachesThePanelsHandlerWithThePictureAlreadyResized)
{
    for (const bool shown : {true, false}) {
        SCOPED_TRACE(shown ? "shown panel" : "hidden panel");
        CanvasWindow w;
        if (!shown)
            w.panel->hide();
        const PanelCanvas* current = nullptr;
        QSize seenByHandler;
        w.panel->SetOnResize([&] { seenByHandler = current->Image().size(); });
        PanelCanvas canvas(*w.panel);
        current = &canvas;
        canvas.Image().fill(Qt::green);

        w.panel->resize(150, 120);
        if (!shown) {
            EXPECT_FALSE(seenByHandler.isValid()) << "Qt holds the resize back while hidden";
            EXPECT_EQ(canvas.Image().size(), QSize(150, 120)) << "asking for the picture delivers it";
        }
        EXPECT_EQ(seenByHandler, QSize(150, 120));
        const QImage& image = canvas.Image();
        EXPECT_EQ(image.format(), QImage::Format_RGB32);
        EXPECT_EQ(image.pixelColor(119, 99), QColor(Qt::green)) << "the overlap is kept";
        EXPECT_EQ(image.pixelColor(140, 110), w.panel->palette().color(w.panel->backgroundRole()))
            << "new area takes the panel's colour";
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
