#include <gtest/gtest.h>

#include "content/MenuGroup.h"
#include "support/TestFiles.h"

namespace velmora {
namespace {

std::unique_ptr<ContentItem> Item(const std::string& fileName, std::uint8_t flags)
{
    auto item = std::make_unique<ContentItem>();
    item->fileName = fileName;
    item->flags = flags;
    return item;
}

class ContentItemLoad : public ::testing::Test {
protected:
    ContentItemLoad() : here_(dir.Path())
    {
        for (const char* name : {"a", "b", "c"})
            dir.Write(std::string("Data/gra/") + name + ".tbb", test::UnpackedTbb(1, 1, {10}));
    }

    test::TempDir dir;

private:
    test::CurrentDirGuard here_;
};

TEST_F(ContentItemLoad, ScopesReachTheRightItems)
{
    ContentItem root;
    root.fileName = "a";
    root.flags = kHasPicture;
    root.AddChild(Item("b", kHasPicture));
    root.ChildAt(0)->AddChild(Item("c", kHasPicture));
    root.AddChild(nullptr);
    ASSERT_EQ(root.ChildCount(), 1);

    EXPECT_TRUE(root.Load(Scope::Self));
    EXPECT_EQ(root.Picture().Data()[0], 245);
    EXPECT_EQ(root.ChildAt(0)->Picture().Width(), 0) << "scope 0 never reaches the children";

    ContentItem other;
    other.fileName = "a";
    other.flags = kHasPicture;
    other.AddChild(Item("b", kHasPicture));
    other.ChildAt(0)->AddChild(Item("c", kHasPicture));
    EXPECT_TRUE(other.Load(Scope::Children));
    EXPECT_EQ(other.Picture().Width(), 0);
    EXPECT_EQ(other.ChildAt(0)->ChildAt(0)->Picture().Width(), 1) << "children load their whole subtree";
}

TEST_F(ContentItemLoad, ItemsWithoutPictureNeverTouchTheDisk)
{
    ContentItem item;
    item.fileName = "does-not-exist";
    EXPECT_TRUE(item.Load(Scope::Tree));
    ContentItem leaf;
    EXPECT_TRUE(leaf.Load(Scope::Children));
}

TEST_F(ContentItemLoad, AFailedChildDoesNotStopTheOthers)
{
    ContentItem root;
    root.AddChild(Item("missing", kHasPicture));
    root.AddChild(Item("b", kHasPicture));
    EXPECT_FALSE(root.Load(Scope::Tree));
    EXPECT_EQ(root.ChildAt(1)->Picture().Width(), 1);
    EXPECT_THROW(root.ChildAt(2), std::out_of_range);
}

TEST_F(ContentItemLoad, MenuItemCopiesItsPictureToTheTitleAndLoadsTitleEntries)
{
    MenuGroup group;
    group.fileName = "missing";
    group.flags = kHasPicture | kIndented;
    group.AddChild(Item("a", kHasPicture));
    group.title.AddChild(Item("b", kHasPicture));
    EXPECT_FALSE(group.Load(Scope::Tree));
    EXPECT_EQ(group.ChildAt(0)->Picture().Width(), 1);
    EXPECT_EQ(group.title.ChildAt(0)->Picture().Width(), 1);
    EXPECT_EQ(group.title.flags, kHasPicture | kIndented);

    MenuGroup good;
    good.fileName = "a";
    good.flags = kHasPicture;
    good.title.AddChild(Item("missing", kHasPicture));
    EXPECT_FALSE(good.Load(Scope::Self)) << "a failed title entry fails the load";
    EXPECT_EQ(good.title.Picture().Data()[0], 245);

    MenuGroup childrenOnly;
    childrenOnly.fileName = "a";
    childrenOnly.flags = kHasPicture;
    childrenOnly.title.AddChild(Item("b", kHasPicture));
    EXPECT_TRUE(childrenOnly.Load(Scope::Children));
    EXPECT_EQ(childrenOnly.title.ChildAt(0)->Picture().Width(), 0) << "scope 2 stops before the title";
}

}  // namespace
}  // namespace velmora
