#include "graphics/ConstantDivider.h"

#include <bit>
#include <stdexcept>

namespace velmora {

ConstantDivider::ConstantDivider(std::uint32_t divisor)
{
    if (divisor < 1 || divisor > kMaxDivisor)
        throw std::out_of_range("ConstantDivider: divisor out of range");
    const unsigned ceilLog2 = static_cast<unsigned>(std::bit_width(divisor - 1));
    shift_ = 31 + ceilLog2;
    const std::uint64_t power = std::uint64_t{1} << shift_;
    const std::uint64_t down = power / divisor;
    const std::uint64_t belowPower = power - down * divisor;
    if (belowPower == 0) {
        multiplier_ = static_cast<std::uint32_t>(down);
    } else if (divisor - belowPower <= belowPower) {
        multiplier_ = static_cast<std::uint32_t>(down + 1);
    } else {
        multiplier_ = static_cast<std::uint32_t>(down);
        increment_ = 1;
    }
}

}  // namespace velmora
