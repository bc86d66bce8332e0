#pragma once

#include <cstddef>
#include <string>

namespace velmora {

// Where reading a content file stopped short of its end. The grammar has no
// errors past the header: an unexpected token ends the element being read
// and everything after it is ignored. Tools report that place.
struct ContentParseReport {
    bool stoppedEarly = false;
    std::size_t stopOffset = 0;  // byte offset of the token that ended reading
    std::string stopToken;       // that token, as its bytes stand
};

}  // namespace velmora
