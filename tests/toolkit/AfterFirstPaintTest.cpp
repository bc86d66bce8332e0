#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QWidget>

#include <chrono>

#include "support/GuiApplication.h"
#include "toolkit/AfterFirstPaint.h"

namespace velmora {
namespace {

// Counts the paint events a widget receives.
class PaintCounter final : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

// The action runs once, after the window's first paint, or at the latest
// time for a window that is never painted; never before either.
TEST(AfterFirstPaint, RunsOnceAfterTheFirstPaintOrAtTheLatest)
{
    struct Row {
        bool shown;
        int latestMs;  // far off for the shown window: its paint must do it
    };
    for (const Row row : {Row{true, 600000}, Row{false, 300}}) {
        SCOPED_TRACE(row.shown);
        test::NeedsGuiApplication app;
        PaintCounter window;
        window.resize(200, 100);
        int runs = 0;
        int paintsAtRun = -1;
        AfterFirstPaint(
            window,
            [&] {
                ++runs;
                paintsAtRun = window.paints;
            },
            row.latestMs);
        if (row.shown)
            window.show();
        QCoreApplication::processEvents();
        EXPECT_EQ(runs, 0) << "ran before the event loop painted anything";
        const QDeadlineTimer deadline(5000);
        while (runs == 0 && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        ASSERT_EQ(runs, 1);
        EXPECT_EQ(paintsAtRun > 0, row.shown);
        window.update();
        test::RunEventLoopFor(std::chrono::milliseconds(400));
        EXPECT_EQ(runs, 1);
    }
}

}  // namespace
}  // namespace velmora
