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
    // A comment that is never closed swallows the rest of the file; the
    // program reads on without noticing, tools point it out.
    bool commentUnclosed = false;
    std::size_t commentOffset = 0;  // byte offset of its opening "@"
};

}  // namespace velmora
