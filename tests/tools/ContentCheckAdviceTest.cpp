#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TestFiles.h"
#include "support/ToolRunner.h"
#include "support/WaveFiles.h"

namespace velmora {
namespace {

using test::Bytes;

// `count` groups "g0" ... with the items "a" and "b" each, in Windows-1250.
std::string Groups(int count, const std::string& ninthItems = "")
{
    std::string text = "F\xA8\r\n";
    for (int g = 0; g < count; ++g) {
        text += "#\"Grupa " + std::to_string(g) + "\" \"g\" B\r\n";
        text += g == 8 ? ninthItems : " -\"a\" \"a\"\r\n -\"b\" \"b\"\r\n";
    }
    return text;
}

Bytes Picture(int width, int height, std::uint8_t ink)
{
    return test::UnpackedTbb(width, height, Bytes(static_cast<std::size_t>(width) * height, ink));
}

struct AdviceRow {
    const char* what;
    std::string menl;
    std::vector<std::pair<std::string, Bytes>> files;  // besides a clean set
    const char* expected;                              // in the output; null: no warning at all
    int status;
};

TEST(ContentCheckAdvice, ExplainsWhatTheProgramShowsOtherwiseThanMeant)
{
    const Bytes clip = test::ScrambleClip(test::Pcm16Wave(1, 22050, std::vector<std::int16_t>(100, 0)));
    const std::vector<AdviceRow> rows = {
        {"a clean set", Groups(10), {}, nullptr, 0},
        {"a content file saved as UTF-8, refused",
         "F\xC2\xA8\n#\"Zwierz\xC4\x99ta\" \"g\" B\n",
         {},
         "menl.dat: the file looks like UTF-8; it must be Windows-1250 (`velmora-content build` converts it)",
         1},
        {"UTF-8 names behind a good header",
         Groups(10) + "#\"\xC5\xB9rebi\xC4\x99\" \"g\" B\r\n",
         {},
         "menl.dat: warning: the file looks like UTF-8",
         0},
        {"nine groups", Groups(9), {}, "menl.dat: warning: 9 group(s): the ninth menu tile is a heading", 0},
        {"items in the ninth group",
         Groups(10, " -\"a\" \"a\"\r\n"),
         {},
         "group 8 \"Grupa 8\": warning: its items are never shown",
         0},
        {"a clip on a second item",
         Groups(10),
         {{"Data/sou/b.cw", clip}},
         "item 1 \"b\": warning: has a clip that never plays",
         0},
        {"a second item's clip that another group's first item plays",
         Groups(10) + "#\"B\" \"g\" B\r\n -\"b\" \"b\"\r\n",
         {{"Data/sou/b.cw", clip}},
         nullptr,
         0},
        {"an item picture too large",
         Groups(10),
         {{"Data/gra/a.tbb", Picture(900, 100, 0)}},
         "picture Data/gra/a.tbb: 900 x 100 pixels, larger than the program ever shows a item picture (436 x 436); "
         "436 x 48 would show the same",
         0},
        {"a picture of ink almost everywhere",
         Groups(10),
         {{"Data/gra/b.tbb", Picture(10, 10, 255)}},
         "picture Data/gra/b.tbb: ink covers 100 % of it",
         0},
    };
    for (const AdviceRow& row : rows) {
        test::TempDir dir;
        dir.Write("Data/gra/traba.tbb", Picture(60, 60, 0));
        dir.Write("Data/gra/g.tbb", Picture(490, 140, 0));
        dir.Write("Data/gra/a.tbb", Picture(300, 200, 0));
        dir.Write("Data/gra/b.tbb", Picture(300, 200, 0));
        dir.Write("Data/sou/a.cw", clip);
        for (const auto& [name, bytes] : row.files)
            dir.Write(name, bytes);
        dir.Write("menl.dat", row.menl);
        const test::ToolResult result = test::RunContentTool("check " + test::QuoteArgument(dir.Path().string()));
        EXPECT_EQ(result.status, row.status) << row.what << ":\n" << result.out;
        if (row.expected == nullptr)
            EXPECT_NE(result.out.find(" 0 warning(s)"), std::string::npos) << row.what << ":\n" << result.out;
        else
            EXPECT_NE(result.out.find(row.expected), std::string::npos) << row.what << ":\n" << result.out;
    }
}

}  // namespace
}  // namespace velmora
