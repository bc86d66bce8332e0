#include <gtest/gtest.h>

#include <string>

#include "content/ContentSet.h"
#include "support/TestFiles.h"

namespace velmora {
namespace {

const std::string kFormatError = "Błędny format pliku zasobów!";
const std::string kSizeError = "Błędny format pliku zasobów! (max 200KB)";

void Parse(ContentSet& data, const std::string& text)
{
    data.LoadFromStream(MemoryStream(text.data(), text.size()));
}

std::string ErrorOf(const std::string& text)
{
    ContentSet data;
    try {
        Parse(data, text);
    } catch (const ContentError& error) {
        EXPECT_EQ(data.MenuItemCount(), 0) << "nothing is built on a refused file";
        return error.what();
    }
    return {};
}

TEST(ContentSetParse, TheWorkedExample)
{
    ContentSet data;
    Parse(data, "F\xA8 #\"Group\" \"g1\" B |\"Title\" \"t1\" -\"Word\" \"w1\" -\"Word 2\" \"w2\"\n"
                "P\xA8 -\"Page\" \"h1\" \"10\"\r\nR\xA8 |\"Link\" \"target\" -\"Slide\" \"p1\"");
    ASSERT_EQ(data.MenuItemCount(), 1);
    const MenuGroup& group = *data.MenuItemAt(0);
    EXPECT_EQ(group.name, "Group");
    EXPECT_EQ(group.fileName, "g1");
    EXPECT_EQ(group.flags, kHasPicture);
    ASSERT_EQ(group.title.ChildCount(), 1);
    EXPECT_EQ(group.title.ChildAt(0)->name, "Title");
    EXPECT_EQ(group.title.ChildAt(0)->flags, kHasPicture);
    ASSERT_EQ(group.ChildCount(), 2);
    EXPECT_EQ(group.ChildAt(0)->flags, kHasPicture | kHasSound);
    EXPECT_EQ(group.ChildAt(1)->flags, kHasPicture);
    EXPECT_EQ(group.ChildAt(1)->name, "Word 2");

    ASSERT_EQ(data.helpPages.ChildCount(), 1);
    EXPECT_EQ(data.helpPages.ChildAt(0)->value, 10);
    EXPECT_EQ(data.helpPages.ChildAt(0)->flags, kHasPicture);
    ASSERT_EQ(data.presentation.title.ChildCount(), 1);
    EXPECT_EQ(data.presentation.title.ChildAt(0)->fileName, "target");
    EXPECT_EQ(data.presentation.title.ChildAt(0)->flags, kHasPicture | kInPresentation);
    ASSERT_EQ(data.presentation.ChildCount(), 1);
    EXPECT_EQ(data.presentation.ChildAt(0)->flags, kInPresentation);
    EXPECT_EQ(data.selectedMenuItem, -1);
}

TEST(ContentSetParse, HeaderRules)
{
    EXPECT_EQ(ErrorOf(""), kFormatError);
    EXPECT_EQ(ErrorOf(" \r\n\t"), kFormatError);
    EXPECT_EQ(ErrorOf("X\xA8"), kFormatError);
    EXPECT_EQ(ErrorOf("F"), kFormatError);
    EXPECT_EQ(ErrorOf("F#"), kFormatError);
    EXPECT_EQ(ErrorOf("F \n \xA8"), "") << "whitespace between F and the marker";
    EXPECT_EQ(ErrorOf("F @c@ \xA8"), kFormatError) << "the marker is read without comment skipping";
    EXPECT_EQ(ErrorOf("@ note @ F\xA8"), "");
    EXPECT_EQ(ErrorOf("@ one @ @ two @ F\xA8"), kFormatError);
    EXPECT_EQ(ErrorOf("\"F\"\"\xA8\""), "") << "quoted keywords are keywords";
}

TEST(ContentSetParse, SizeLimit)
{
    std::string exact = "F\xA8";
    exact.resize(ContentSet::kMaxFileSize, ' ');
    EXPECT_EQ(ErrorOf(exact), "");
    EXPECT_EQ(ErrorOf(exact + " "), kSizeError);
}

TEST(ContentSetParse, IndentMarksAndQuoting)
{
    ContentSet data;
    Parse(data, "F\xA8 #\"a\"\"fa\" # \"b\" \"fb\" ##\"c\"\"fc\" # #\"d\"\"fd\"B");
    ASSERT_EQ(data.MenuItemCount(), 4);
    EXPECT_EQ(data.MenuItemAt(0)->flags, 0);
    EXPECT_EQ(data.MenuItemAt(1)->name, "b");
    EXPECT_EQ(data.MenuItemAt(1)->flags, 0);
    EXPECT_EQ(data.MenuItemAt(2)->flags, kIndented);
    EXPECT_EQ(data.MenuItemAt(3)->flags, kIndented | kHasPicture);
    EXPECT_EQ(data.MenuItemAt(0)->ChildCount(), 0) << "a group with no entries stays";
}

TEST(ContentSetParse, UnquotedWordsDesynchroniseTheFields)
{
    ContentSet data;
    Parse(data, "F\xA8 #Kot \"k\"");
    ASSERT_EQ(data.MenuItemCount(), 1);
    EXPECT_EQ(data.MenuItemAt(0)->name, "K");
    EXPECT_EQ(data.MenuItemAt(0)->fileName, "o");
}

TEST(ContentSetParse, UnexpectedTokensEndTheElementAndKeepWhatWasBuilt)
{
    ContentSet data;
    // "|" after "-" ends the group list; the rest is not a section and is ignored.
    Parse(data, "F\xA8 #\"g\"\"g\" -\"a\"\"a\" |\"t\"\"t\" #\"h\"\"h\" P\xA8 -\"p\"\"p\"\"1\"");
    ASSERT_EQ(data.MenuItemCount(), 1);
    EXPECT_EQ(data.MenuItemAt(0)->ChildCount(), 1);
    EXPECT_EQ(data.MenuItemAt(0)->title.ChildCount(), 0);
    EXPECT_EQ(data.helpPages.ChildCount(), 0);
}

TEST(ContentSetParse, PresentationNeedsAHelpHeaderBeforeIt)
{
    ContentSet withoutHelp;
    Parse(withoutHelp, "F\xA8 #\"g\"\"g\" R\xA8 -\"s\"\"s\"");
    EXPECT_EQ(withoutHelp.presentation.ChildCount(), 0);

    ContentSet withHelp;
    Parse(withHelp, "F\xA8 #\"g\"\"g\" P\xA8 R\xA8 |\"l\"\"u\" -\"s\"\"s\"");
    EXPECT_EQ(withHelp.helpPages.ChildCount(), 0);
    EXPECT_EQ(withHelp.presentation.title.ChildCount(), 1);
    EXPECT_EQ(withHelp.presentation.ChildCount(), 1);
}

TEST(ContentSetParse, SectionMarkersAreReadRaw)
{
    // A comment between "P" and its marker hides the marker: the section is not recognised.
    ContentSet data;
    Parse(data, "F\xA8 P @x@ \xA8 -\"p\"\"p\"\"3\"");
    EXPECT_EQ(data.helpPages.ChildCount(), 0);

    ContentSet plain;
    Parse(plain, "F\xA8 @groups follow@ P\xA8 @pages@ -\"p\"\"p\"\"3\"");
    ASSERT_EQ(plain.helpPages.ChildCount(), 1);
    EXPECT_EQ(plain.helpPages.ChildAt(0)->value, 3);
}

TEST(ContentSetParse, HelpPageNumbers)
{
    ContentSet data;
    Parse(data, "F\xA8 P\xA8 -\"a\"\"a\"\"12\" -\"b\"\"b\"\"x\" -\"c\"\"c\"12 -\"d\"\"d\"\"-7\"");
    // The unquoted 12 is "1" and then "2", which ends the list before "d".
    ASSERT_EQ(data.helpPages.ChildCount(), 3);
    EXPECT_EQ(data.helpPages.ChildAt(0)->value, 12);
    EXPECT_EQ(data.helpPages.ChildAt(1)->value, 0);
    EXPECT_EQ(data.helpPages.ChildAt(2)->value, 1);

    EXPECT_EQ(ParseContentNumber("-7"), -7);
    EXPECT_EQ(ParseContentNumber("+7"), 7);
    EXPECT_EQ(ParseContentNumber("2147483647"), 2147483647);
    EXPECT_EQ(ParseContentNumber("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseContentNumber("2147483648"), 0);
    EXPECT_EQ(ParseContentNumber("99999999999"), 0);
    EXPECT_EQ(ParseContentNumber(""), 0);
    EXPECT_EQ(ParseContentNumber("+"), 0);
    EXPECT_EQ(ParseContentNumber("+-5"), 0);
    EXPECT_EQ(ParseContentNumber("--5"), 0);
    EXPECT_EQ(ParseContentNumber("5 "), 0);
    EXPECT_EQ(ParseContentNumber("0x10"), 0);
}

TEST(ContentSetParse, FileEndingInsideAQuotedString)
{
    ContentSet data;
    Parse(data, "F\xA8 #\"g\"\"no end");
    ASSERT_EQ(data.MenuItemCount(), 1);
    EXPECT_EQ(data.MenuItemAt(0)->fileName, "no end");
}

TEST(ContentSetParse, NamesKeepTheirBytes)
{
    ContentSet data;
    Parse(data, "F\xA8 #\"\xAF\xF3\xB3w\"\"\xBF\xF3\xB3w\"");
    EXPECT_EQ(data.MenuItemAt(0)->name, "\xAF\xF3\xB3w");
}

TEST(ContentSetParse, ReloadEmptiesTheGroupsOnly)
{
    ContentSet data;
    Parse(data, "F\xA8 #\"g\"\"g\" P\xA8 -\"p\"\"p\"\"1\"");
    data.selectedMenuItem = 0;
    Parse(data, "F\xA8 #\"h\"\"h\" P\xA8 -\"q\"\"q\"\"1\"");
    EXPECT_EQ(data.MenuItemCount(), 1);
    EXPECT_EQ(data.MenuItemAt(0)->name, "h");
    EXPECT_EQ(data.selectedMenuItem, -1);
    EXPECT_EQ(data.helpPages.ChildCount(), 2) << "help pages are appended to";
}

TEST(ContentSet, MenuItemAtIsBoundsChecked)
{
    ContentSet data;
    Parse(data, "F\xA8 #\"g\"\"g\"");
    EXPECT_NO_THROW(data.MenuItemAt(0));
    EXPECT_THROW(data.MenuItemAt(1), std::out_of_range);
    EXPECT_THROW(data.MenuItemAt(-1), std::out_of_range);
}

class ContentSetFiles : public ::testing::Test {
protected:
    void WritePicture(const std::string& name)
    {
        dir.Write("Data/gra/" + name + ".tbb", test::UnpackedTbb(2, 1, {0, 255}));
    }
    void WriteClip(const std::string& name) { dir.Write("Data/sou/" + name + ".cw", std::string("riff")); }

    test::TempDir dir;
};

TEST_F(ContentSetFiles, LoadFromFileAndResources)
{
    dir.Write("menl.dat", std::string("F\xA8 #\"G\"\"grupa\"B |\"T\"\"tytul\" -\"A\"\"a\" -\"B\"\"b\" "
                                      "#\"H\"\"cisza\"B -\"C\"\"c\" P\xA8 -\"Pomoc\"\"pomoc\"\"5\""));
    for (const char* name : {"grupa", "tytul", "a", "b", "cisza", "c", "pomoc"})
        WritePicture(name);
    WriteClip("a");  // "c" has no clip
    test::CurrentDirGuard here(dir.Path());

    ContentSet data;
    data.LoadFromFile("menl.dat");
    ASSERT_TRUE(data.LoadResources());
    const MenuGroup& first = *data.MenuItemAt(0);
    EXPECT_EQ(first.Picture().Width(), 2);
    EXPECT_EQ(first.Picture().Data()[0], 255) << "pictures are inverted after loading";
    EXPECT_EQ(first.title.Picture().Width(), 2) << "the group's picture is copied to its title";
    EXPECT_EQ(first.title.flags, first.flags);
    EXPECT_EQ(first.title.ChildAt(0)->Picture().Width(), 2);
    EXPECT_EQ(first.ChildAt(0)->flags, kHasPicture | kHasSound);
    EXPECT_EQ(data.MenuItemAt(1)->ChildAt(0)->flags, kHasPicture) << "missing clip clears the mark";
    EXPECT_EQ(data.helpPages.ChildAt(0)->Picture().Width(), 2);
}

// The menu shows every group's picture and title entries at once: those are
// decoded with the load. The items and help pages are only checked then and
// decoded when first drawn, so a change of their files in between is seen.
// An item naming a title entry's file shares its picture, decoded at load.
TEST_F(ContentSetFiles, GroupsAreDecodedWithTheLoadAndItemsWhenFirstDrawn)
{
    dir.Write("menl.dat", std::string("F\xA8 #\"G\"\"grupa\"B |\"T\"\"wspolny\" -\"A\"\"wspolny\" -\"B\"\"b\" "
                                      "P\xA8 -\"Pomoc\"\"pomoc\"\"5\""));
    const std::vector<std::string> names = {"grupa", "wspolny", "b", "pomoc"};
    for (const std::string& name : names)
        WritePicture(name);
    test::CurrentDirGuard here(dir.Path());
    ContentSet data;
    data.LoadFromFile("menl.dat");
    ASSERT_TRUE(data.LoadResources());
    for (const std::string& name : names)
        dir.Write("Data/gra/" + name + ".tbb", test::UnpackedTbb(2, 1, {255, 0}));

    const MenuGroup& group = *data.MenuItemAt(0);
    const auto firstValue = [](const ContentItem& item) { return item.Picture().Data()[0]; };
    EXPECT_EQ(firstValue(group), 255) << "the group's picture as loaded";
    EXPECT_EQ(firstValue(*group.title.ChildAt(0)), 255) << "the title entry's as loaded";
    EXPECT_EQ(group.ChildAt(0)->image, group.title.ChildAt(0)->image) << "one picture for one file";
    EXPECT_EQ(firstValue(*group.ChildAt(1)), 0) << "the item's as first drawn";
    EXPECT_EQ(firstValue(*data.helpPages.ChildAt(0)), 0) << "the help page's as first drawn";
}

TEST_F(ContentSetFiles, AMissingPictureFailsButEverythingElseLoads)
{
    dir.Write("menl.dat", std::string("F\xA8 #\"G\"\"brak\"B |\"T\"\"t\" -\"A\"\"a\" #\"H\"\"h\" -\"C\"\"c\""));
    for (const char* name : {"t", "a", "c"})
        WritePicture(name);
    test::CurrentDirGuard here(dir.Path());

    ContentSet data;
    data.LoadFromFile("menl.dat");
    EXPECT_FALSE(data.LoadResources());
    EXPECT_EQ(data.MenuItemAt(0)->ChildAt(0)->Picture().Width(), 2);
    EXPECT_EQ(data.MenuItemAt(0)->title.ChildAt(0)->Picture().Width(), 2);
    EXPECT_EQ(data.MenuItemAt(1)->ChildAt(0)->Picture().Width(), 2);
    EXPECT_EQ(data.MenuItemAt(1)->title.Picture().Width(), 0) << "no picture flag: no copy";
    EXPECT_EQ(data.MenuItemAt(1)->title.flags, 0);
}

TEST_F(ContentSetFiles, FileErrors)
{
    test::CurrentDirGuard here(dir.Path());
    ContentSet data;
    EXPECT_THROW(data.LoadFromFile("menl.dat"), ContentError);

    std::string big(300 * 1024, ' ');
    big[0] = 'F';
    dir.Write("menl.dat", big);
    try {
        data.LoadFromFile("menl.dat");
        FAIL() << "an oversized file must be refused";
    } catch (const ContentError& error) {
        EXPECT_EQ(error.what(), kSizeError);
    }
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

ContentParseReport ReportOf(const std::string& text)
{
    ContentSet data;
    ContentParseReport report;
    try {
        data.LoadFromStream(MemoryStream(text.data(), text.size()), &report);
    } catch (const ContentError&) {
    }
    return report;
}

TEST(ContentSetParse, ReportsWhereReadingStopped)
{
    EXPECT_FALSE(ReportOf("F\xA8 #\"g\"\"g\" -\"a\"\"a\" P\xA8 -\"p\"\"p\"\"1\" R\xA8 |\"l\"\"u\" -\"s\"\"s\"\r\n")
                     .stoppedEarly);
    EXPECT_FALSE(ReportOf("F\xA8").stoppedEarly);
    EXPECT_FALSE(ReportOf("F\xA8 #\"g\"\"g\" @ trailing comment").stoppedEarly);

    const std::string misplaced = "F\xA8 #\"g\"\"g\" -\"a\"\"a\" |\"t\"\"t\"";
    const ContentParseReport report = ReportOf(misplaced);
    EXPECT_TRUE(report.stoppedEarly);
    EXPECT_EQ(report.stopOffset, misplaced.find('|'));
    EXPECT_EQ(report.stopToken, "|");

    const std::string noHelpHeader = "F\xA8 #\"g\"\"g\" R\xA8 -\"s\"\"s\"";
    EXPECT_EQ(ReportOf(noHelpHeader).stopOffset, noHelpHeader.find('R'));

    const ContentParseReport header = ReportOf("  X");
    EXPECT_TRUE(header.stoppedEarly);
    EXPECT_EQ(header.stopOffset, 2u);
}

}  // namespace
}  // namespace velmora
