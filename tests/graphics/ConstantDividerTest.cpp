#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <vector>

#include "graphics/ConstantDivider.h"

namespace velmora {
namespace {

// The first numerator for which `divide` is wrong, or -1. The quotient
// (n + increment) x multiplier >> shift never decreases as n grows, so it is
// q for every n from q x d to q x d + d - 1 when it is q at both ends:
// checking the two ends of every quotient's run checks every numerator.
std::int64_t FirstWrongNumerator(std::uint32_t divisor)
{
    const ConstantDivider divide(divisor);
    for (std::uint32_t q = 0; q <= ConstantDivider::kLargestQuotient; ++q) {
        const std::uint32_t low = q * divisor;
        if (divide(low) != q)
            return low;
        const std::uint32_t high = low + divisor - 1;
        if (q < ConstantDivider::kLargestQuotient && divide(high) != q)
            return high;
    }
    return -1;
}

std::vector<std::uint32_t> DivisorsToCheck()
{
    constexpr std::uint32_t kTop = ConstantDivider::kMaxDivisor;
    std::vector<std::uint32_t> divisors;
    for (std::uint32_t d = 1; d <= 1u << 16; ++d)
        divisors.push_back(d);
    // Around every power of two, where the shift changes, and the top of
    // the range, where the margin of the proof is thinnest.
    for (unsigned bit = 17; bit <= 24; ++bit)
        for (std::uint32_t d = (1u << bit) - 512; d <= std::min((1u << bit) + 512, kTop); ++d)
            divisors.push_back(d);
    for (std::uint32_t d = kTop - (1u << 16); d <= kTop; ++d)
        divisors.push_back(d);
    std::mt19937 random(24);
    std::uniform_int_distribution<std::uint32_t> anywhere(1, kTop);
    for (int i = 0; i < 20000; ++i)
        divisors.push_back(anywhere(random));
    return divisors;
}

TEST(ConstantDivider, DividesEveryNumeratorUpTo255TimesTheDivisor)
{
    for (const std::uint32_t divisor : DivisorsToCheck()) {
        const std::int64_t wrong = FirstWrongNumerator(divisor);
        ASSERT_EQ(wrong, -1) << "divisor " << divisor << ": " << wrong << " div " << divisor << " is "
                             << ConstantDivider(divisor)(static_cast<std::uint32_t>(wrong));
    }
}

TEST(ConstantDivider, MultiplierAndShiftAtTheEdges)
{
    struct Case {
        std::uint32_t divisor;
        std::uint32_t multiplier, increment;
        unsigned shift;
    };
    // 1 and the powers of two are exact shifts; 3 rounds up
    // (ceil(2^33 / 3) = 2863311531, error 1 of 3); 7 rounds down
    // (floor(2^34 / 7) = 2454267026, error 2 of 7, rounding up would be 5).
    for (const Case& c : {Case{1, 1u << 31, 0, 31}, Case{2, 1u << 31, 0, 32}, Case{1u << 23, 1u << 31, 0, 54},
                          Case{3, 2863311531u, 0, 33}, Case{7, 2454267026u, 1, 34}}) {
        SCOPED_TRACE(c.divisor);
        const ConstantDivider divide(c.divisor);
        EXPECT_EQ(divide.Multiplier(), c.multiplier);
        EXPECT_EQ(divide.Increment(), c.increment);
        EXPECT_EQ(divide.Shift(), c.shift);
    }
    const ConstantDivider top(ConstantDivider::kMaxDivisor);
    EXPECT_EQ(top(255 * ConstantDivider::kMaxDivisor), 255u) << "the largest numerator";
    EXPECT_EQ(top(255 * ConstantDivider::kMaxDivisor - 1), 254u);
}

TEST(ConstantDivider, RefusesDivisorsOutsideItsRange)
{
    EXPECT_THROW(ConstantDivider(0), std::out_of_range);
    EXPECT_THROW(ConstantDivider(ConstantDivider::kMaxDivisor + 1), std::out_of_range);
}

}  // namespace
}  // namespace velmora
