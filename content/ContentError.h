#pragma once

#include <stdexcept>
#include <string>

#include "core/LoadError.h"

namespace velmora {

// A content file that cannot be used: the reason, for tools, and the
// message shown to the user.
class ContentError : public std::runtime_error {
public:
    ContentError(LoadError reason, const std::string& message) : std::runtime_error(message), reason_(reason) {}

    LoadError Reason() const { return reason_; }

private:
    LoadError reason_;
};

}  // namespace velmora
