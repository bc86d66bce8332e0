#include <gtest/gtest.h>

#include "toolkit/FramePlacement.h"

namespace velmora {
namespace {

// The whole window, frame included, is what the program sizes and places;
// the client rectangle asked of Qt lies inside the frame. Openbox's frame:
// 1 pixel at the sides, a 20-pixel title bar, a 5-pixel bottom edge.
TEST(FramePlacement, TheWholeWindowFitsTheWorkAreaWithItsTitleBarOnScreen)
{
    const QMargins openbox(1, 20, 1, 5);
    struct Row {
        const char* name;
        QRect outer;
        QMargins frame;
        QRect workArea;
        QSize minimumOuter;
        QRect client;
    };
    const Row rows[] = {
        {"no window manager", {90, 12, 1100, 1000}, {}, {0, 0, 1280, 1024}, {754, 450}, {90, 12, 1100, 1000}},
        {"frame counted", {90, 12, 1100, 1000}, openbox, {0, 0, 1280, 1024}, {754, 450}, {91, 32, 1098, 975}},
        {"title bar above the screen", {90, -8, 1100, 1000}, openbox, {0, 0, 1280, 1024}, {}, {91, 20, 1098, 975}},
        {"past the right and bottom", {900, 900, 500, 300}, openbox, {0, 0, 1280, 1024}, {}, {781, 744, 498, 275}},
        {"taller than a work area below a panel",
         {112, 4, 800, 760},
         openbox,
         {0, 30, 1024, 738},
         {754, 450},
         {113, 50, 798, 713}},
        {"left of a work area beside a panel",
         {10, 100, 400, 300},
         openbox,
         {60, 0, 964, 768},
         {},
         {61, 120, 398, 275}},
        {"the minimum on a smaller work area",
         {0, 0, 640, 400},
         openbox,
         {0, 0, 640, 400},
         {754, 450},
         {1, 20, 752, 425}},
        {"the minimum on a work area not at the origin",
         {100, 50, 600, 300},
         openbox,
         {100, 50, 600, 300},
         {754, 450},
         {101, 70, 752, 425}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(FramedClientRect(row.outer, row.frame, row.workArea, row.minimumOuter), row.client) << row.name;
}

}  // namespace
}  // namespace velmora
