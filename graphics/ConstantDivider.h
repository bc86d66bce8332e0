#pragma once

#include <cstdint>

namespace velmora {

// Truncating division by a divisor fixed in advance, as a multiplication and
// a shift: n div d = ((n + increment) x multiplier) >> shift, for every
// numerator n from 0 to 255 x d and every divisor d from 1 to kMaxDivisor.
// The multiplier fits in 32 bits, so vector code can form the product with
// one 32 x 32 -> 64-bit multiplication per value.
//
// Why it is exact (after Granlund and Montgomery, with Robison's rounding-
// down variant). Let c = ceil(log2 d) and k = 31 + c, so 2^31 <= 2^k / d <
// 2^32 (equality on the left for d a power of two). Write n = q d + r with
// 0 <= r < d, and N = 255 d for the largest numerator.
// - Rounding up: m = ceil(2^k / d), e = m d - 2^k, 0 <= e < d. Then
//   n m / 2^k = q + (r + n e / 2^k) / d, which truncates to q exactly when
//   r + n e / 2^k < d; as r <= d - 1 it suffices that n e < 2^k, for all n
//   when N e < 2^k.
// - Rounding down: m = floor(2^k / d), e = 2^k - m d, 0 < e < d. Then
//   (n + 1) m / 2^k = q + (r + 1 - (n + 1) e / 2^k) / d, which truncates to
//   q exactly when 0 <= r + 1 - (n + 1) e / 2^k < d; the right side always
//   holds and the left holds for r = 0 (so for all r) when (N + 1) e <= 2^k.
// The two errors add up to d (or one is 0), so one of them is at most d / 2,
// and the construction takes that one. Then (N + 1) e <= (255 d + 1) d / 2,
// and with d < 2^c = 2^k / 2^31 this is below (255 d + 1) 2^k / 2^32, which
// is at most 2^k as long as 255 d + 1 <= 2^32, true for d < 2^24. Both
// multipliers lie in [2^31, 2^32): m is at most 2^k / d + 1, and 2^k / d <
// 2^32 - 1 unless d is a power of two, where the first variant is exact with
// m = 2^31. The numerator plus the increment stays below 2^32 (255 d + 1 <
// 2^32), and the product below 2^64.
class ConstantDivider {
public:
    static constexpr std::uint32_t kMaxDivisor = (std::uint32_t{1} << 24) - 1;
    static constexpr std::uint32_t kLargestQuotient = 255;

    // `divisor` from 1 to kMaxDivisor.
    explicit ConstantDivider(std::uint32_t divisor);

    // n div divisor, for n from 0 to kLargestQuotient x divisor.
    std::uint32_t operator()(std::uint32_t n) const
    {
        return static_cast<std::uint32_t>((std::uint64_t{n + increment_} * multiplier_) >> shift_);
    }

    std::uint32_t Multiplier() const { return multiplier_; }
    std::uint32_t Increment() const { return increment_; }
    unsigned Shift() const { return shift_; }

private:
    std::uint32_t multiplier_ = 0;
    std::uint32_t increment_ = 0;
    unsigned shift_ = 0;
};

}  // namespace velmora
