#include <gtest/gtest.h>

#include "support/GuiApplication.h"
#include "toolkit/FontHeight.h"

#include <QFontMetrics>

namespace velmora {
namespace {

int CellHeight(QFont font, int pixelSize)
{
    font.setPixelSize(pixelSize);
    const QFontMetrics metrics(font);
    return metrics.ascent() + metrics.descent();
}

TEST(FontHeight, CellHeightGivesTheLargestSizeWhoseCellFits)
{
    struct Row {
        const char* family;
        int cellHeight;
    };
    const Row rows[] = {{"Arial", 15},         {"Arial", 31}, {"Arial", 42}, {"Arial", 50},
                        {"MS Sans Serif", 11}, {"Arial", 1},  {"Arial", 0},  {"Arial", -7}};
    test::GuiApplication();
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.family << " " << row.cellHeight);
        const QFont font(QString::fromLatin1(row.family));
        const int size = FontHeight::PixelSizeForCellHeight(font, row.cellHeight);
        ASSERT_GE(size, 1);
        const int wanted = std::max(row.cellHeight, 1);
        if (size > 1) {
            EXPECT_LE(CellHeight(font, size), wanted);
        }
        EXPECT_GT(CellHeight(font, size + 1), wanted);
        EXPECT_EQ(FontHeight::WithCellHeight(font, row.cellHeight).pixelSize(), size);
        EXPECT_LT(size, wanted + 1) << "the cell includes the glyphs";
    }
}

}  // namespace
}  // namespace velmora
