#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velmora {

// Cuts the content file into tokens: bytes up to 0x20 separate tokens, a
// double quote opens a string that runs to the next quote (or the end of the
// data), and every other byte is a token by itself. Past the last token the
// empty text is returned. Tokens are views into the caller's buffer.
class ContentTokenizer {
public:
    ContentTokenizer(const std::uint8_t* data, std::size_t size) : data_(data), end_(size) {}

    std::string_view ReadToken();

    // Skips one comment ("@" ... "@", or to the end of the data) when the next
    // token opens one. Only one: a token directly after a comment is returned
    // as it stands, even when it is "@".
    std::string_view ReadTokenSkippingComment();

    // Whether a comment ran to the end of the data without its closing "@",
    // and where its opening "@" stood.
    bool CommentUnclosed() const { return commentUnclosed_; }
    std::size_t UnclosedCommentStart() const { return unclosedCommentStart_; }

    // Where the last token returned began (its opening quote for a string).
    std::size_t TokenStart() const { return tokenStart_; }
    std::size_t Size() const { return end_; }

private:
    const std::uint8_t* data_;
    std::size_t end_;
    std::size_t pos_ = 0;
    std::size_t tokenStart_ = 0;
    bool commentUnclosed_ = false;
    std::size_t unclosedCommentStart_ = 0;
};

}  // namespace velmora
