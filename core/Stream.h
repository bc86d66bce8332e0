#pragma once

#include <cstddef>

namespace velmora {

// A sequential byte source. Read reports how many bytes it delivered; fewer
// than asked means the end of the data or a failing read.
class Stream {
public:
    virtual ~Stream() = default;
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
};

}  // namespace velmora
