#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace velmora {

// Room for whole files read one after another on one thread. It grows to the
// largest file asked for and is then reused as it is: a read into it costs
// neither an allocation nor the zeroing of fresh pages.
class ReadBuffer {
public:
    // At least `size` bytes, holding whatever the last read left.
    std::uint8_t* Room(std::size_t size);

private:
    std::unique_ptr<std::uint8_t[]> bytes_;
    std::size_t capacity_ = 0;
};

}  // namespace velmora
