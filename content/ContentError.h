#pragma once

#include <stdexcept>

namespace velmora {

// A content file that cannot be used; the message is the one shown to the user.
class ContentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace velmora
