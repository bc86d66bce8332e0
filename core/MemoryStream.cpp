#include "core/MemoryStream.h"

#include <algorithm>
#include <cstring>

namespace velmora {

MemoryStream::MemoryStream(const void* data, std::size_t size)
    : bytes_(static_cast<const std::uint8_t*>(data), static_cast<const std::uint8_t*>(data) + size)
{}

std::size_t MemoryStream::Read(void* buffer, std::size_t count)
{
    const std::size_t available = bytes_.size() - position_;
    const std::size_t delivered = std::min(count, available);
    if (delivered > 0)
        std::memcpy(buffer, bytes_.data() + position_, delivered);
    position_ += delivered;
    return delivered;
}

}  // namespace velmora
