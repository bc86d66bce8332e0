#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QWidget>

#include "support/GuiApplication.h"
#include "toolkit/FirstPaintWait.h"

namespace velmora {
namespace {

// The wait ends with the window's first painting, whether that came before
// the wait or during it, and at the latest time for a window never painted.
TEST(FirstPaintWait, EndsWithTheFirstPaintingOrAtTheLatest)
{
    // A wait that missed the painting ends near this (a coarse timer may
    // fire up to 5 % early), far later than one that saw it.
    constexpr int kNeverReached = 20000;
    struct Row {
        const char* name;
        bool shown;
        bool paintedBeforeTheWait;
        int latestMs;
        bool painted;
    };
    const Row rows[] = {
        {"painted during the wait", true, false, kNeverReached, true},
        {"painted before the wait", true, true, kNeverReached, true},
        {"never shown", false, false, 50, false},
    };
    test::GuiApplication();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QWidget window;
        window.resize(200, 100);
        FirstPaintWait wait(window);
        if (row.shown)
            window.show();
        if (row.paintedBeforeTheWait) {
            const QDeadlineTimer deadline(5000);
            while (!wait.Painted() && !deadline.hasExpired())
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            ASSERT_TRUE(wait.Painted());
        }

        QElapsedTimer waited;
        waited.start();
        wait.Wait(row.latestMs);

        EXPECT_EQ(wait.Painted(), row.painted);
        EXPECT_LT(waited.elapsed(), kNeverReached / 2);
    }
}

}  // namespace
}  // namespace velmora
