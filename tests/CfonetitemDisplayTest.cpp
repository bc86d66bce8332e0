#include <gtest/gtest.h>

#include "content/Cfonetmenuitem.h"

namespace velmora {
namespace {

// An item with a picture whose pixel (col, row) is `level(col, row)`.
template <typename Level>
std::unique_ptr<CFonetItem> PictureItem(int width, int height, Level level)
{
    auto item = std::make_unique<CFonetItem>();
    item->flags = ifPicture;
    item->image.SetSize(width, height);
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col)
            item->image.Data()[row * width + col] = static_cast<std::uint8_t>(level(col, row));
    return item;
}

std::unique_ptr<CFonetItem> FlatItem(int width, int height, int level)
{
    return PictureItem(width, height, [level](int, int) { return level; });
}

// A root with one child that has one grandchild, all with pictures.
std::unique_ptr<CFonetItem> Tree()
{
    auto root = FlatItem(10, 10, 1);
    auto child = FlatItem(20, 10, 2);
    child->AddChild(FlatItem(30, 10, 3));
    root->AddChild(std::move(child));
    return root;
}

TEST(CFonetItemDisplay, SetScaleRoundsHalfUpFromTheFloatScale)
{
    auto item = FlatItem(101, 100, 0);
    item->SetScale(scopeSelf, 0.5f);
    EXPECT_EQ(item->width, 51);
    EXPECT_EQ(item->height, 50);
    item->SetScale(scopeSelf, 0.36f);
    EXPECT_EQ(item->height, 36);

    CFonetItem empty;
    empty.SetScale(scopeSelf, 3.0f);
    EXPECT_EQ(empty.width, 0);
    EXPECT_EQ(empty.height, 0);

    item->SetScale(scopeSelf, 1e30f);
    EXPECT_EQ(item->width, INT32_MAX) << "absurd scales saturate";
}

TEST(CFonetItemDisplay, OnlyASizeChangeClearsPrepared)
{
    auto item = FlatItem(40, 20, 9);
    item->SetScale(scopeSelf, 0.5f);
    item->Prepare(scopeSelf);
    ASSERT_TRUE(item->prepared);
    item->SetScale(scopeSelf, 0.51f);  // 20.4 and 10.2 round to the same size
    EXPECT_EQ(item->width, 20);
    EXPECT_EQ(item->height, 10);
    EXPECT_TRUE(item->prepared);
    item->SetScale(scopeSelf, 0.6f);
    EXPECT_FALSE(item->prepared);
}

TEST(CFonetItemDisplay, ScopesReachTheRightItems)
{
    auto root = Tree();
    CFonetItem& child = *root->ChildAt(0);
    CFonetItem& grandchild = *child.ChildAt(0);

    root->SetScale(scopeSelf, 2.0f);
    EXPECT_EQ(root->width, 20);
    EXPECT_EQ(child.width, 0);
    root->SetScale(scopeChildren, 1.0f);
    EXPECT_EQ(root->width, 20) << "scope 2 leaves the item itself";
    EXPECT_EQ(child.width, 20);
    EXPECT_EQ(grandchild.width, 30);

    root->Prepare(scopeChildren);
    EXPECT_EQ(root->bitmap, nullptr);
    EXPECT_TRUE(child.prepared);
    EXPECT_TRUE(grandchild.prepared);

    root->Invalidate(scopeTree);
    EXPECT_FALSE(child.prepared);
    EXPECT_FALSE(grandchild.prepared);

    root->Prepare(scopeTree);
    root->Invalidate(scopeSelf);
    EXPECT_FALSE(root->prepared);
    EXPECT_TRUE(child.prepared);
    EXPECT_NE(child.bitmap, nullptr) << "invalidating keeps the bitmap";

    root->ConvertBitmapToGrey(scopeChildren);
    EXPECT_EQ(root->bitmap->PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(grandchild.bitmap->PixelFormat(), TPixelFormat::pf8bit);
    EXPECT_TRUE(grandchild.prepared) << "converting keeps prepared";
}

TEST(CFonetItemDisplay, PrepareRendersGreyAtTheDisplaySize)
{
    auto item = PictureItem(4, 4, [](int col, int) { return 40 * col; });
    item->SetScale(scopeSelf, 0.25f);
    item->Prepare(scopeSelf);
    ASSERT_NE(item->bitmap, nullptr);
    EXPECT_EQ(item->bitmap->Width(), 1);
    EXPECT_EQ(item->bitmap->Height(), 1);
    const std::uint8_t* pixel = item->bitmap->ScanLine(0);
    EXPECT_EQ(std::vector<int>(pixel, pixel + 3), (std::vector<int>{60, 60, 60}));

    // Rendered again although prepared, into the same object at a new size.
    const TBitmap* object = item->bitmap.get();
    item->image.Data()[0] = 200;
    item->SetScale(scopeSelf, 1.0f);
    item->Prepare(scopeSelf);
    EXPECT_EQ(item->bitmap.get(), object);
    EXPECT_EQ(item->bitmap->Width(), 4);
    EXPECT_EQ(item->bitmap->ScanLine(0)[0], 200);
    EXPECT_EQ(item->bitmap->ScanLine(3)[9], 120);
}

TEST(CFonetItemDisplay, ItemsWithoutPictureOrImage)
{
    auto plain = FlatItem(8, 8, 1);
    plain->flags = ifSound;
    plain->SetScale(scopeSelf, 1.0f);
    plain->Prepare(scopeSelf);
    plain->PrepareTwoColour(0xFFFFFF, 0, scopeSelf);
    EXPECT_EQ(plain->bitmap, nullptr);
    EXPECT_FALSE(plain->prepared);
    plain->ConvertBitmapToGrey(scopeTree);
    EXPECT_EQ(plain->bitmap, nullptr);

    CFonetItem failed;
    failed.flags = ifPicture;
    failed.SetScale(scopeSelf, 2.0f);
    failed.Prepare(scopeSelf);
    ASSERT_NE(failed.bitmap, nullptr);
    EXPECT_TRUE(failed.bitmap->Empty());
    EXPECT_TRUE(failed.prepared);
}

TEST(CFonetItemDisplay, PrepareTwoColourPaintsInkInTheFirstColour)
{
    auto item = PictureItem(2, 2, [](int col, int) { return col == 0 ? 255 : 0; });
    item->SetScale(scopeSelf, 1.0f);
    item->PrepareTwoColour(0x84A7B9, 0xFFFFFF, scopeSelf);
    ASSERT_TRUE(item->prepared);
    const std::uint8_t* row = item->bitmap->ScanLine(0);
    EXPECT_EQ(std::vector<int>(row, row + 6), (std::vector<int>{132, 167, 185, 255, 255, 255}));
}

TEST(CFonetItemDisplay, MenuItemsDoNotReachTheirTitle)
{
    CFonetMenuItem group;
    group.flags = ifPicture;
    group.image.SetSize(10, 10);
    group.title.image.SetSize(10, 10);
    group.title.flags = ifPicture;
    group.SetScale(scopeTree, 1.0f);
    group.Prepare(scopeTree);
    EXPECT_TRUE(group.prepared);
    EXPECT_EQ(group.title.width, 0);
    EXPECT_EQ(group.title.bitmap, nullptr);
}

}  // namespace
}  // namespace velmora
