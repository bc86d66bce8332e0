#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/ContentTokenizer.h"

namespace velmora {
namespace {

std::vector<std::string> Tokens(const std::string& text, bool skipComments)
{
    ContentTokenizer tokenizer(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    std::vector<std::string> tokens;
    for (;;) {
        const auto token = skipComments ? tokenizer.ReadTokenSkippingComment() : tokenizer.ReadToken();
        if (token.empty() && tokenizer.TokenStart() == tokenizer.Size())
            break;
        tokens.emplace_back(token);
    }
    return tokens;
}

using List = std::vector<std::string>;

TEST(ContentTokenizer, SingleBytesQuotedStringsAndWhitespace)
{
    EXPECT_EQ(Tokens("##ab", false), (List{"#", "#", "a", "b"}));
    EXPECT_EQ(Tokens(" \t\r\n\x01\x1F\x20#", false), (List{"#"}));
    EXPECT_EQ(Tokens("\"Ala ma\nkota\"x", false), (List{"Ala ma\nkota", "x"}));
    EXPECT_EQ(Tokens("\"\"\"a\"", false), (List{"", "a"}));
    EXPECT_EQ(Tokens("\x7F\xA8", false), (List{"\x7F", "\xA8"})) << "bytes above 0x20 are tokens";
}

TEST(ContentTokenizer, UnterminatedStringRunsToTheEnd)
{
    const std::string text = "a \"open to the end";
    ContentTokenizer tokenizer(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    EXPECT_EQ(tokenizer.ReadToken(), "a");
    EXPECT_EQ(tokenizer.ReadToken(), "open to the end");
    EXPECT_EQ(tokenizer.ReadToken(), "") << "past the end: the empty text";
    EXPECT_EQ(tokenizer.TokenStart(), text.size());
    EXPECT_EQ(tokenizer.ReadTokenSkippingComment(), "");
}

TEST(ContentTokenizer, CommentsAreSkippedOneAtATime)
{
    EXPECT_EQ(Tokens("@ note @a", true), (List{"a"}));
    // The second "@" right after a comment is returned, and the one after
    // "two" opens a new comment that runs to the end.
    EXPECT_EQ(Tokens("@ one @@ \"two\" @a", true), (List{"@", "two"}));
    EXPECT_EQ(Tokens("@ \"a @ inside\" @b", true), (List{"b"})) << "a quoted @ inside does not close it";
    EXPECT_EQ(Tokens("@\"@\"x", true), (List{"x"})) << "a quoted \"@\" is the keyword";
    EXPECT_EQ(Tokens("a @ never closed", true), (List{"a"}));
    EXPECT_EQ(Tokens("@ x @ y", false), (List{"@", "x", "@", "y"})) << "raw reads see the comment";
}

TEST(ContentTokenizer, TellsWhereACommentRunsToTheEndUnclosed)
{
    const struct {
        std::string text;
        bool unclosed;
        std::size_t opening;
    } rows[] = {
        {"a @ never closed", true, 2},
        {"a @", true, 2},
        {"@ one @ b @ two", true, 10},
        {"a @ closed @ b", false, 0},
        {"a @ closed @", false, 0},
        {"a @ closed \"@\"", false, 0},
        {"a @ \"@ quoted, not closing", true, 2},
        {"no comment", false, 0},
    };
    for (const auto& row : rows) {
        ContentTokenizer tokenizer(reinterpret_cast<const std::uint8_t*>(row.text.data()), row.text.size());
        while (!tokenizer.ReadTokenSkippingComment().empty() || tokenizer.TokenStart() != tokenizer.Size()) {
        }
        EXPECT_EQ(tokenizer.CommentUnclosed(), row.unclosed) << row.text;
        if (row.unclosed) {
            EXPECT_EQ(tokenizer.UnclosedCommentStart(), row.opening) << row.text;
        }
    }
}

}  // namespace
}  // namespace velmora
