#include "content/ContentTokenizer.h"

namespace velmora {

namespace {

constexpr std::uint8_t kQuote = 0x22;
constexpr std::uint8_t kLastWhitespace = 0x20;

}  // namespace

std::string_view ContentTokenizer::ReadToken()
{
    while (pos_ < end_ && data_[pos_] <= kLastWhitespace)
        ++pos_;
    tokenStart_ = pos_;
    if (pos_ == end_)
        return {};
    const auto* bytes = reinterpret_cast<const char*>(data_);
    if (data_[pos_] != kQuote)
        return {bytes + pos_++, 1};

    const std::size_t start = pos_ + 1;
    std::size_t j = start;
    while (j < end_ && data_[j] != kQuote)
        ++j;
    pos_ = j < end_ ? j + 1 : end_;
    return {bytes + start, j - start};
}

std::string_view ContentTokenizer::ReadTokenSkippingComment()
{
    std::string_view token = ReadToken();
    if (token != "@")
        return token;
    const std::size_t opening = tokenStart_;
    do {
        token = ReadToken();
    } while (token != "@" && pos_ != end_);
    if (token != "@" && !commentUnclosed_) {
        commentUnclosed_ = true;
        unclosedCommentStart_ = opening;
    }
    return ReadToken();
}

}  // namespace velmora
