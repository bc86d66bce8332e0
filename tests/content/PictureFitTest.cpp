#include <gtest/gtest.h>

#include "content/PictureFit.h"

namespace velmora {
namespace {

TEST(PictureFit, ReducesToTheLargestPlaceThatShowsThePicture)
{
    const PictureUses item = UseBit(PictureUse::Item);
    const PictureUses group = UseBit(PictureUse::Group);
    const PictureUses page = UseBit(PictureUse::HelpPage);
    struct Row {
        PictureSize size;
        PictureUses uses;
        PictureSize fitted;
        bool larger;
    };
    const Row rows[] = {
        {{436, 436}, item, {436, 436}, false},  // exactly its place
        {{437, 10}, item, {436, 10}, true},     // one over, the aspect kept
        {{3000, 2000}, item, {436, 291}, true},
        {{10, 5000}, item, {1, 436}, true},  // a side never drops below 1
        {{3000, 1}, item, {436, 1}, true},
        {{100, 100}, item, {100, 100}, false},  // never enlarged
        {{1000, 144}, group, {502, 72}, true},
        {{1000, 144}, group | item, {502, 72}, true},   // the larger place decides
        {{436, 300}, group | item, {436, 300}, false},  // shown whole as an item
        {{2400, 100}, page, {1200, 50}, true},          // only the width limits a page
        {{1200, 6990}, page, {1200, 6990}, false},
        {{1200, 50000}, page, {448, 18695}, false},  // the packed format limits every picture
        {{5000, 5000}, 0, {2896, 2896}, false},
        {{200000, 1}, 0, {100000, 1}, false},
    };
    for (const Row& row : rows) {
        const PictureSize fitted = FittingSize(row.size, row.uses);
        EXPECT_EQ(fitted, row.fitted) << row.size.width << "x" << row.size.height << " uses " << int(row.uses)
                                      << " gave " << fitted.width << "x" << fitted.height;
        EXPECT_EQ(LargerThanShown(row.size, row.uses), row.larger) << row.size.width << "x" << row.size.height;
    }
}

}  // namespace
}  // namespace velmora
