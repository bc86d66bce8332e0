#pragma once

#include "graphics/ConstantDivider.h"
#include "graphics/X86Kernels.h"

#if VELMORA_X86_KERNELS

namespace velmora {

// ConstantDivider on a vector of 32-bit numerators, for the x86-64 kernels:
// the 32 x 32 -> 64-bit products of the even and the odd lanes, shifted;
// each quotient is below 256, so the even lane's quotient fills its 64-bit
// lane alone and the odd one slots in above it. The quotients come back as
// 32-bit lanes in their order.

VELMORA_AVX512 inline __m512i DivideLanes(__m512i numerators, const ConstantDivider& divider)
{
    const __m512i multiplier = _mm512_set1_epi64(divider.Multiplier());
    const __m128i shift = _mm_cvtsi32_si128(static_cast<int>(divider.Shift()));
    const __m512i n = _mm512_add_epi32(numerators, _mm512_set1_epi32(static_cast<int>(divider.Increment())));
    const __m512i even = _mm512_srl_epi64(_mm512_mul_epu32(n, multiplier), shift);
    const __m512i odd = _mm512_srl_epi64(_mm512_mul_epu32(_mm512_srli_epi64(n, 32), multiplier), shift);
    return _mm512_or_si512(even, _mm512_slli_epi64(odd, 32));
}

VELMORA_TARGET_V3 inline __m256i DivideLanes(__m256i numerators, const ConstantDivider& divider)
{
    const __m256i multiplier = _mm256_set1_epi64x(divider.Multiplier());
    const __m128i shift = _mm_cvtsi32_si128(static_cast<int>(divider.Shift()));
    const __m256i n = _mm256_add_epi32(numerators, _mm256_set1_epi32(static_cast<int>(divider.Increment())));
    const __m256i even = _mm256_srl_epi64(_mm256_mul_epu32(n, multiplier), shift);
    const __m256i odd = _mm256_srl_epi64(_mm256_mul_epu32(_mm256_srli_epi64(n, 32), multiplier), shift);
    return _mm256_or_si256(even, _mm256_slli_epi64(odd, 32));
}

}  // namespace velmora

#endif
