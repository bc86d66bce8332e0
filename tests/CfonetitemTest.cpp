#include <gtest/gtest.h>

#include "content/Cfonetmenuitem.h"
#include "support/TestFiles.h"

namespace velmora {
namespace {

std::unique_ptr<CFonetItem> Item(const std::string& fileName, std::uint8_t flags)
{
    auto item = std::make_unique<CFonetItem>();
    item->fileName = fileName;
    item->flags = flags;
    return item;
}

class CFonetItemLoad : public ::testing::Test {
protected:
    CFonetItemLoad() : here_(dir.Path())
    {
        for (const char* name : {"a", "b", "c"})
            dir.Write(std::string("Data/gra/") + name + ".tbb", test::UnpackedTbb(1, 1, {10}));
    }

    test::TempDir dir;

private:
    test::CurrentDirGuard here_;
};

TEST_F(CFonetItemLoad, ScopesReachTheRightItems)
{
    CFonetItem root;
    root.fileName = "a";
    root.flags = ifPicture;
    root.AddChild(Item("b", ifPicture));
    root.ChildAt(0)->AddChild(Item("c", ifPicture));
    root.AddChild(nullptr);
    ASSERT_EQ(root.ChildCount(), 1);

    EXPECT_TRUE(root.Load(scopeSelf));
    EXPECT_EQ(root.image.Data()[0], 245);
    EXPECT_EQ(root.ChildAt(0)->image.Width(), 0) << "scope 0 never reaches the children";

    CFonetItem other;
    other.fileName = "a";
    other.flags = ifPicture;
    other.AddChild(Item("b", ifPicture));
    other.ChildAt(0)->AddChild(Item("c", ifPicture));
    EXPECT_TRUE(other.Load(scopeChildren));
    EXPECT_EQ(other.image.Width(), 0);
    EXPECT_EQ(other.ChildAt(0)->ChildAt(0)->image.Width(), 1) << "children load their whole subtree";
}

TEST_F(CFonetItemLoad, ItemsWithoutPictureNeverTouchTheDisk)
{
    CFonetItem item;
    item.fileName = "does-not-exist";
    EXPECT_TRUE(item.Load(scopeTree));
    CFonetItem leaf;
    EXPECT_TRUE(leaf.Load(scopeChildren));
}

TEST_F(CFonetItemLoad, AFailedChildDoesNotStopTheOthers)
{
    CFonetItem root;
    root.AddChild(Item("missing", ifPicture));
    root.AddChild(Item("b", ifPicture));
    EXPECT_FALSE(root.Load(scopeTree));
    EXPECT_EQ(root.ChildAt(1)->image.Width(), 1);
    EXPECT_THROW(root.ChildAt(2), std::out_of_range);
}

TEST_F(CFonetItemLoad, MenuItemCopiesItsPictureToTheTitleAndLoadsTitleEntries)
{
    CFonetMenuItem group;
    group.fileName = "missing";
    group.flags = ifPicture | ifIndented;
    group.AddChild(Item("a", ifPicture));
    group.title.AddChild(Item("b", ifPicture));
    EXPECT_FALSE(group.Load(scopeTree));
    EXPECT_EQ(group.ChildAt(0)->image.Width(), 1);
    EXPECT_EQ(group.title.ChildAt(0)->image.Width(), 1);
    EXPECT_EQ(group.title.flags, ifPicture | ifIndented);

    CFonetMenuItem good;
    good.fileName = "a";
    good.flags = ifPicture;
    good.title.AddChild(Item("missing", ifPicture));
    EXPECT_FALSE(good.Load(scopeSelf)) << "a failed title entry fails the load";
    EXPECT_EQ(good.title.image.Data()[0], 245);

    CFonetMenuItem childrenOnly;
    childrenOnly.fileName = "a";
    childrenOnly.flags = ifPicture;
    childrenOnly.title.AddChild(Item("b", ifPicture));
    EXPECT_TRUE(childrenOnly.Load(scopeChildren));
    EXPECT_EQ(childrenOnly.title.ChildAt(0)->image.Width(), 0) << "scope 2 stops before the title";
}

}  // namespace
}  // namespace velmora
