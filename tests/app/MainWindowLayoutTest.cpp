#include <gtest/gtest.h>

#include "app/MainWindowLayout.h"
#include "app/RepeatCycle.h"
#include "app/WidthScale.h"

namespace velmora::app {
namespace {

TEST(WidthScaleTest, FollowsTheOuterWidth)
{
    struct Row {
        std::int32_t width;
        std::int32_t v;
        std::int32_t scale;
        std::int32_t scaleDown;
    };
    const Row rows[] = {
        {800, 50, 31, 31},   {1100, 50, 42, 42},          {1280, 50, 50, 50}, {1281, 50, 50, 50},
        {2560, 60, 120, 60}, {800, 100000, 62500, 62500}, {1280, 1, 1, 1},    {754, 18, 10, 10},
    };
    for (const Row& row : rows) {
        const WidthScale scale(row.width);
        EXPECT_EQ(scale.Scale(row.v), row.scale) << row.width << " " << row.v;
        EXPECT_EQ(scale.ScaleDown(row.v), row.scaleDown) << row.width << " " << row.v;
    }
}

TEST(WidthScaleTest, ItemScaleIsCutToFiveDecimalsAndNeverAboveOne)
{
    EXPECT_FLOAT_EQ(WidthScale(800).ItemScale(), 0.625f);
    EXPECT_FLOAT_EQ(WidthScale(1100).ItemScale(), 0.85937f);  // 85937.5 cut
    EXPECT_FLOAT_EQ(WidthScale(1280).ItemScale(), 1.0f);
    EXPECT_FLOAT_EQ(WidthScale(3000).ItemScale(), 1.0f);
}

TEST(MainWindowLayoutTest, MenuTilesStackPlainAndIndentedGroups)
{
    const auto tiles = layout::MenuTiles({false, true, false, true, true}, 181);
    const std::vector<Rect> expected = {
        {0, 0, 181, 52}, {36, 52, 145, 38}, {0, 90, 181, 52}, {36, 142, 145, 38}, {36, 180, 145, 38}};
    EXPECT_EQ(tiles, expected);
}

TEST(MainWindowLayoutTest, CentreColumnsPerGroup)
{
    struct Row {
        std::int32_t group;
        std::int32_t index;
        std::int32_t panelWidth;
        Rect tile;
    };
    // Tile height 100 throughout; panel widths as the window gives them at
    // W = 800 (545) and W = 1100 (845).
    const Row rows[] = {
        {3, 0, 545, {0, 0, 272, 100}},     {3, 1, 545, {272, 0, 273, 100}},   {3, 2, 545, {0, 100, 272, 100}},
        {3, 5, 845, {422, 200, 423, 100}}, {4, 0, 545, {1, 0, 340, 100}},     {4, 1, 545, {341, 0, 204, 100}},
        {11, 0, 845, {1, 0, 316, 100}},    {11, 1, 845, {317, 0, 528, 100}},  {0, 0, 545, {1, 0, 242, 100}},
        {0, 1, 545, {243, 0, 302, 100}},   {0, 3, 845, {376, 100, 469, 100}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(layout::CentreTile(row.group, row.index, row.panelWidth, 100), row.tile)
            << "group " << row.group << " item " << row.index << " width " << row.panelWidth;
}

TEST(MainWindowLayoutTest, TitleLosesOnlyTheFirstDashSpace)
{
    EXPECT_EQ(layout::TitleText("Głoska - sz - cz"), "Głoska sz - cz");
    EXPECT_EQ(layout::TitleText("Biało-czerwona"), "Biało-czerwona");
    EXPECT_EQ(layout::TitleText("- "), "");
    EXPECT_EQ(layout::TitleText(""), "");
}

TEST(MainWindowLayoutTest, TitlePicturesAreShownWholeInTheBand)
{
    // shown: the displayed height, the picture's height times the scale
    // rounded half up, as items size themselves.
    struct Row {
        int picture;
        int band;
        float scale;
        int shown;
    };
    const Row rows[] = {
        {50, 84, 0.6f, 30},                               // the design scale, well inside
        {66, 84, 0.6f, 40},                               // 39.6: just fits at the design scale
        {140, 84, 40.0f / 140, 40},                       // reduced to the 40 rows below the name
        {1000, 84, 0.04f, 40},      {140, 44, 0.6f, 84},  // a band with no room below the name: the design scale
        {0, 84, 0.6f, 0},
    };
    for (const Row& row : rows) {
        const float scale = layout::TitlePictureScale(row.picture, row.band);
        EXPECT_FLOAT_EQ(scale, row.scale) << row.picture << " in " << row.band;
        EXPECT_EQ(static_cast<int>(row.picture * scale + 0.5f), row.shown) << row.picture << " in " << row.band;
    }
}

TEST(MainWindowLayoutTest, TitlePictureIsCentredClearOfTheEntries)
{
    struct Row {
        int band;
        int picture;
        int entriesRight;
        int left;
    };
    const Row rows[] = {
        {845, 140, 0, 352},    // no entries: centred
        {845, 140, 300, 352},  // entries end well left of the centred place
        {545, 140, 261, 269},  // centred would cover the entries: 8 pixels right of them
        {545, 140, 194, 202},  // centred would touch them
        {545, 139, 193, 203},  // just clear: centred, halving truncated
    };
    for (const Row& row : rows)
        EXPECT_EQ(layout::TitlePictureLeft(row.band, row.picture, row.entriesRight), row.left)
            << row.band << " " << row.picture << " " << row.entriesRight;
}

TEST(MainWindowLayoutTest, PlacementStepsWithTheWorkArea)
{
    struct Row {
        Rect workArea;
        Rect window;
    };
    const Row rows[] = {
        {{0, 0, 1920, 1080}, {410, 40, 1100, 1000}}, {{0, 0, 1024, 768}, {112, 4, 800, 760}},
        {{0, 0, 1280, 984}, {90, 112, 1100, 760}},   {{0, 0, 700, 400}, {-27, -25, 754, 450}},
        {{0, 0, 780, 700}, {0, 0, 780, 700}},        {{100, 30, 1920, 1050}, {510, 55, 1100, 1000}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(layout::MainWindowPlacement(row.workArea), row.window) << row.workArea.width;
}

TEST(MainWindowLayoutTest, PlayZoneCoversMarkerAndPictureWithMargins)
{
    // Marker 20 x 15 at (27, 37), picture 100 wide.
    const auto zone = layout::ItemPlayZone(27, 37, 20, 15, 100);
    struct Row {
        std::int32_t x;
        std::int32_t y;
        bool inside;
    };
    const Row rows[] = {{27, 27, true},   {26, 40, false}, {146, 61, true},
                        {147, 40, false}, {30, 26, false}, {30, 62, false}};
    for (const Row& row : rows)
        EXPECT_EQ(zone.Contains(row.x, row.y), row.inside) << row.x << "," << row.y;
}

TEST(MainWindowLayoutTest, PauseTicksAndLabel)
{
    struct Row {
        std::int32_t position;
        std::int32_t ticks;
        const char* label;
    };
    const Row rows[] = {{0, 0, "Powtarzaj"},
                        {5, 10, "Powtarzaj, z odstępem 0,5 s"},
                        {13, 26, "Powtarzaj, z odstępem 1,3 s"},
                        {20, 40, "Powtarzaj, z odstępem 2,0 s"}};
    for (const Row& row : rows) {
        EXPECT_EQ(RepeatCycle::PauseTicks(row.position, 50), row.ticks);
        EXPECT_EQ(RepeatCycle::LabelText(row.position), row.label);
    }
}

}  // namespace
}  // namespace velmora::app
