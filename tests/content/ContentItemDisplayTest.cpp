#include <gtest/gtest.h>

#include "content/MenuGroup.h"

namespace velmora {
namespace {

// An item with a picture whose pixel (col, row) is `level(col, row)`.
template <typename Level>
std::unique_ptr<ContentItem> PictureItem(int width, int height, Level level)
{
    auto picture = std::make_shared<CoveragePicture>();
    picture->SetSize(width, height);
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col)
            picture->Data()[row * width + col] = static_cast<std::uint8_t>(level(col, row));
    auto item = std::make_unique<ContentItem>();
    item->flags = kHasPicture;
    item->image = std::move(picture);
    return item;
}

std::unique_ptr<ContentItem> FlatItem(int width, int height, int level)
{
    return PictureItem(width, height, [level](int, int) { return level; });
}

// A root with one child that has one grandchild, all with pictures.
std::unique_ptr<ContentItem> Tree()
{
    auto root = FlatItem(10, 10, 1);
    auto child = FlatItem(20, 10, 2);
    child->AddChild(FlatItem(30, 10, 3));
    root->AddChild(std::move(child));
    return root;
}

TEST(ContentItemDisplay, SetScaleRoundsHalfUpFromTheFloatScale)
{
    auto item = FlatItem(101, 100, 0);
    item->SetScale(Scope::Self, 0.5f);
    EXPECT_EQ(item->width, 51);
    EXPECT_EQ(item->height, 50);
    item->SetScale(Scope::Self, 0.36f);
    EXPECT_EQ(item->height, 36);

    ContentItem empty;
    empty.SetScale(Scope::Self, 3.0f);
    EXPECT_EQ(empty.width, 0);
    EXPECT_EQ(empty.height, 0);

    item->SetScale(Scope::Self, 1e30f);
    EXPECT_EQ(item->width, INT32_MAX) << "absurd scales saturate";
}

TEST(ContentItemDisplay, OnlyASizeChangeClearsPrepared)
{
    auto item = FlatItem(40, 20, 9);
    item->SetScale(Scope::Self, 0.5f);
    item->Prepare(Scope::Self);
    ASSERT_TRUE(item->prepared);
    item->SetScale(Scope::Self, 0.51f);  // 20.4 and 10.2 round to the same size
    EXPECT_EQ(item->width, 20);
    EXPECT_EQ(item->height, 10);
    EXPECT_TRUE(item->prepared);
    item->SetScale(Scope::Self, 0.6f);
    EXPECT_FALSE(item->prepared);
}

TEST(ContentItemDisplay, ScopesReachTheRightItems)
{
    auto root = Tree();
    ContentItem& child = *root->ChildAt(0);
    ContentItem& grandchild = *child.ChildAt(0);

    root->SetScale(Scope::Self, 2.0f);
    EXPECT_EQ(root->width, 20);
    EXPECT_EQ(child.width, 0);
    root->SetScale(Scope::Children, 1.0f);
    EXPECT_EQ(root->width, 20) << "scope 2 leaves the item itself";
    EXPECT_EQ(child.width, 20);
    EXPECT_EQ(grandchild.width, 30);

    root->Prepare(Scope::Children);
    EXPECT_EQ(root->bitmap, nullptr);
    EXPECT_TRUE(child.prepared);
    EXPECT_TRUE(grandchild.prepared);

    root->Invalidate(Scope::Tree);
    EXPECT_FALSE(child.prepared);
    EXPECT_FALSE(grandchild.prepared);

    root->Prepare(Scope::Tree);
    root->Invalidate(Scope::Self);
    EXPECT_FALSE(root->prepared);
    EXPECT_TRUE(child.prepared);
    EXPECT_NE(child.bitmap, nullptr) << "invalidating keeps the bitmap";

    root->ConvertBitmapToGrey(Scope::Children);
    EXPECT_EQ(root->bitmap->Format(), PixelFormat::Bits24);
    EXPECT_EQ(grandchild.bitmap->Format(), PixelFormat::Bits8);
    EXPECT_TRUE(grandchild.prepared) << "converting keeps prepared";
}

TEST(ContentItemDisplay, PrepareRendersGreyAtTheDisplaySize)
{
    auto item = PictureItem(4, 4, [](int col, int) { return 40 * col; });
    item->SetScale(Scope::Self, 0.25f);
    item->Prepare(Scope::Self);
    ASSERT_NE(item->bitmap, nullptr);
    EXPECT_EQ(item->bitmap->Width(), 1);
    EXPECT_EQ(item->bitmap->Height(), 1);
    const std::uint8_t* pixel = item->bitmap->ScanLine(0);
    EXPECT_EQ(std::vector<int>(pixel, pixel + 3), (std::vector<int>{60, 60, 60}));

    // Rendered again although prepared, into the same object at a new size.
    const Bitmap* object = item->bitmap.get();
    auto changed = std::make_shared<CoveragePicture>(*item->image);
    changed->Data()[0] = 200;
    item->image = std::move(changed);
    item->SetScale(Scope::Self, 1.0f);
    item->Prepare(Scope::Self);
    EXPECT_EQ(item->bitmap.get(), object);
    EXPECT_EQ(item->bitmap->Width(), 4);
    EXPECT_EQ(item->bitmap->ScanLine(0)[0], 200);
    EXPECT_EQ(item->bitmap->ScanLine(3)[9], 120);
}

// On a denser screen the picture is resampled from its source at the device
// size, so its detail survives; the display size stays as it was.
TEST(ContentItemDisplay, PrepareRendersAtTheDevicePixels)
{
    struct Row {
        float ratio;
        int width;
        int height;
    };
    const Row rows[] = {{1.0f, 20, 10}, {2.0f, 40, 20}, {1.5f, 30, 15}, {0.0f, 20, 10}, {-2.0f, 20, 10}};
    for (const Row& row : rows) {
        // Columns alternating between no ink and full ink.
        auto item = PictureItem(40, 20, [](int col, int) { return col % 2 == 0 ? 0 : 255; });
        item->SetScale(Scope::Self, 0.5f);
        item->pixelRatio = row.ratio;
        item->Prepare(Scope::Self);
        EXPECT_EQ(item->width, 20) << row.ratio;
        ASSERT_NE(item->bitmap, nullptr);
        EXPECT_EQ(item->bitmap->Width(), row.width) << row.ratio;
        EXPECT_EQ(item->bitmap->Height(), row.height) << row.ratio;
    }
    // At twice the density the source's single-pixel columns are kept.
    auto item = PictureItem(40, 20, [](int col, int) { return col % 2 == 0 ? 0 : 255; });
    item->SetScale(Scope::Self, 0.5f);
    item->pixelRatio = 2.0f;
    item->Prepare(Scope::Self);
    const std::uint8_t* line = item->bitmap->ScanLine(5);
    EXPECT_NE(line[0], line[3]);
    EXPECT_EQ(line[0], line[6]);
}

TEST(ContentItemDisplay, ItemsWithoutPictureOrImage)
{
    auto plain = FlatItem(8, 8, 1);
    plain->flags = kHasSound;
    plain->SetScale(Scope::Self, 1.0f);
    plain->Prepare(Scope::Self);
    plain->PrepareTwoColour(0, 0xFFFFFF, Scope::Self);
    EXPECT_EQ(plain->bitmap, nullptr);
    EXPECT_FALSE(plain->prepared);
    plain->ConvertBitmapToGrey(Scope::Tree);
    EXPECT_EQ(plain->bitmap, nullptr);

    ContentItem failed;
    failed.flags = kHasPicture;
    failed.SetScale(Scope::Self, 2.0f);
    failed.Prepare(Scope::Self);
    ASSERT_NE(failed.bitmap, nullptr);
    EXPECT_TRUE(failed.bitmap->Empty());
    EXPECT_TRUE(failed.prepared);
}

TEST(ContentItemDisplay, PrepareTwoColourPaintsInkInColour255)
{
    auto item = PictureItem(2, 2, [](int col, int) { return col == 0 ? 255 : 0; });
    item->SetScale(Scope::Self, 1.0f);
    item->PrepareTwoColour(0xFFFFFF, 0x84A7B9, Scope::Self);
    ASSERT_TRUE(item->prepared);
    const std::uint8_t* row = item->bitmap->ScanLine(0);
    EXPECT_EQ(std::vector<int>(row, row + 6), (std::vector<int>{132, 167, 185, 255, 255, 255}));
}

TEST(ContentItemDisplay, MenuItemsDoNotReachTheirTitle)
{
    MenuGroup group;
    group.flags = kHasPicture;
    auto picture = std::make_shared<CoveragePicture>();
    picture->SetSize(10, 10);
    group.image = picture;
    group.title.image = picture;
    group.title.flags = kHasPicture;
    group.SetScale(Scope::Tree, 1.0f);
    group.Prepare(Scope::Tree);
    EXPECT_TRUE(group.prepared);
    EXPECT_EQ(group.title.width, 0);
    EXPECT_EQ(group.title.bitmap, nullptr);
}

}  // namespace
}  // namespace velmora
