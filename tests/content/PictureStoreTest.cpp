#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "content/ContentSet.h"
#include "content/PictureStore.h"
#include "support/TestFiles.h"

namespace velmora {
namespace {

class PictureStoreFiles : public ::testing::Test {
protected:
    PictureStoreFiles() : here_(dir.Path()) {}

    // A picture of width x 1 pixels, all of value 10 (245 once inverted).
    void Write(const std::string& diskName, int width)
    {
        dir.Write("Data/gra/" + diskName,
                  test::UnpackedTbb(width, 1, test::Bytes(static_cast<std::size_t>(width), 10)));
    }

    test::TempDir dir;

private:
    test::CurrentDirGuard here_;
};

TEST_F(PictureStoreFiles, ItemsNamingOneFileShareOnePicture)
{
    Write("Kot.tbb", 4);
    Write("pies.tbb", 3);
    // Four spellings of one file, the group's own picture among them, and
    // a help page naming it too.
    dir.Write("menl.dat", std::string("F\xA8 #\"G\"\"kot\"B |\"T\"\"KOT\" -\"A\"\"kot\" -\"B\"\"Kot\" -\"C\"\"pies\" "
                                      "#\"H\"\"kOt\"B -\"D\"\"kot\" P\xA8 -\"P\"\"kot\"\"0\""));
    ContentSet data;
    data.LoadFromFile("menl.dat");
    ASSERT_TRUE(data.LoadResources());
    const MenuGroup& first = *data.MenuItemAt(0);
    const auto shared = first.image;
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(shared->Data()[0], 245) << "inverted once, however many items share it";
    const std::vector<const ContentItem*> sharers = {
        &first.title,       first.title.ChildAt(0),         first.ChildAt(0),         first.ChildAt(1),
        data.MenuItemAt(1), data.MenuItemAt(1)->ChildAt(0), data.helpPages.ChildAt(0)};
    for (const ContentItem* item : sharers)
        EXPECT_EQ(item->image, shared) << item->name;
    EXPECT_NE(first.ChildAt(2)->image, shared);
    EXPECT_EQ(first.ChildAt(2)->Picture().Width(), 3);
}

TEST_F(PictureStoreFiles, TheDistinctPicturesMustFitTheBudget)
{
    Write("a.tbb", 10);
    Write("b.tbb", 10);
    Write("c.tbb", 8);
    const struct {
        const char* content;
        std::uint64_t budget;
        bool loads;
    } rows[] = {
        {"F\xA8 #\"G\"\"a\"B -\"A\"\"a\" -\"B\"\"a\"", 10, true},  // one picture, counted once
        {"F\xA8 #\"G\"\"a\"B -\"A\"\"a\"", 9, false},              // one byte short
        {"F\xA8 #\"G\"\"a\"B -\"A\"\"b\"", 19, false},             // two distinct pictures
        {"F\xA8 #\"G\"\"a\"B -\"A\"\"b\" -\"C\"\"c\"", 28, true},
        {"F\xA8 #\"G\"\"a\"B P\xA8 -\"P\"\"c\"\"0\"", 17, false},  // help pages count too
    };
    for (const auto& row : rows) {
        dir.Write("menl.dat", std::string(row.content));
        ContentSet data;
        data.LoadFromFile("menl.dat");
        EXPECT_EQ(data.LoadResources(row.budget), row.loads) << row.content << " in " << row.budget;
    }

    // The store says why, and a picture already held is still handed out.
    ContentResolver resolver;
    PictureStore store(resolver, 15);
    LoadError error = LoadError::None;
    EXPECT_NE(store.Load("Data\\gra\\a.tbb", &error), nullptr);
    EXPECT_EQ(store.Load("Data\\gra\\b.tbb", &error), nullptr);
    EXPECT_EQ(error, LoadError::OverBudget);
    EXPECT_NE(store.Load("Data\\gra\\A.TBB", &error), nullptr);
    EXPECT_EQ(error, LoadError::None);
    EXPECT_EQ(store.UsedBytes(), 10u);
    EXPECT_EQ(store.Load("Data\\gra\\missing.tbb", &error), nullptr);
    EXPECT_EQ(error, LoadError::NoFile);
    EXPECT_EQ(store.Load(std::string("Data\\gra\\a\0.tbb", 15), &error), nullptr);
    EXPECT_EQ(error, LoadError::BadName);
}

// The files are decoded or checked on several threads at once, yet weighed
// against the budget in the order the content names them: the picture that
// no longer fits is always the last one named, however the threads finish.
TEST_F(PictureStoreFiles, PicturesAreWeighedInTheOrderTheContentNamesThem)
{
    std::ostringstream content;
    content << "F\xA8 #\"G\"\"p0\"B";
    for (int k = 0; k < 10; ++k) {
        std::ostringstream name;
        name << 'p' << k << ".tbb";
        Write(name.str(), 10);
        if (k > 0)
            content << " -\"W\"\"p" << k << '"';
    }
    dir.Write("menl.dat", content.str());
    for (int round = 0; round < 200; ++round) {
        ContentSet data;
        data.LoadFromFile("menl.dat");
        ContentFailure failure;
        ASSERT_FALSE(data.LoadResources(95, &failure)) << "round " << round;
        EXPECT_EQ(failure.reason, LoadError::OverBudget) << "round " << round;
        EXPECT_TRUE(failure.file.ends_with("p9.tbb")) << failure.file << ", round " << round;
    }
}

}  // namespace
}  // namespace velmora
