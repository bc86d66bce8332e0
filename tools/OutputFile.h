#pragma once

#include <cstddef>
#include <string>

namespace velmora::tool {

// Writes bytes to the file at `path`; false with a message on failure. A
// regular file is written beside its place and renamed into it only once
// every byte is written and the file closed, so a full disk or a failing
// write leaves no half-written file (and an older file at `path` stays as
// it was). A device or pipe named as the output (/dev/stdout) is written
// directly.
bool WriteBytes(const std::string& path, const void* data, std::size_t size, std::string& error);

}  // namespace velmora::tool
