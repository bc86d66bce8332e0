#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/Stream.h"

namespace velmora {

// A stream over bytes held in memory; it owns a copy of them.
class MemoryStream : public Stream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    MemoryStream(const void* data, std::size_t size);

    std::size_t Read(void* buffer, std::size_t count) override;

    std::size_t Size() const { return bytes_.size(); }
    const std::uint8_t* Data() const { return bytes_.data(); }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

}  // namespace velmora
