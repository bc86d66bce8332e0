#include "core/ReadBuffer.h"

namespace velmora {

std::uint8_t* ReadBuffer::Room(std::size_t size)
{
    if (size > capacity_) {
        // The old room goes first: two rooms are never held at once.
        bytes_.reset();
        capacity_ = 0;
        bytes_ = std::make_unique_for_overwrite<std::uint8_t[]>(size);
        capacity_ = size;
    }
    return bytes_.get();
}

}  // namespace velmora
