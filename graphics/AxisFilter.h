#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

// The resampling filter of one axis: destination index i reads the source
// indices first[i] .. first[i] + span[i] - 1 with weights[i * taps + t], zero
// past span[i]; every destination index has the same `divisor`.
struct AxisFilter {
    std::vector<std::int64_t> first;
    std::vector<std::int64_t> span;
    std::vector<std::int64_t> weights;
    std::int64_t taps = 0;
    std::int64_t divisor = 1;

    std::size_t Size() const { return first.size(); }
};

}  // namespace velmora
