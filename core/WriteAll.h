#pragma once

#include <cstddef>

namespace velmora {

// Writes all `size` bytes to the descriptor, again after an interrupted or
// partial write; false when a write fails.
bool WriteAll(int fd, const void* data, std::size_t size);

}  // namespace velmora
