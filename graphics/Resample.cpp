#include "graphics/Resample.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <numeric>
#include <type_traits>

#include "graphics/AxisFilter.h"
#include "graphics/ConstantDivider.h"
#include "graphics/ConstantDividerLanes.h"
#include "graphics/KernelLevel.h"
#include "graphics/PairedTapFilter.h"
#include "graphics/X86Kernels.h"

namespace velmora {

// Both methods compute, per channel, an exact integer sum of products
//     n = sum over rows y, columns x of  wy(y) * wx(x) * P(x, y)
// and write n div D, where D is the product of the two axes' divisors. The
// sum factors: a vertical pass combines the source rows of one destination
// row into exact per-column partial sums, and a horizontal pass combines
// those and divides once per output value. Every weight of an axis is first
// brought to the axis's common divisor and the axis is reduced by the
// greatest common divisor of its weights and divisor, which keeps the
// quotients and shrinks the numbers.
//
// Every weight of an axis adds up to its divisor, so no partial sum exceeds
// 255 * D. In 32-bit unsigned integers the sums are therefore exact for
// D < 2^24 (255 * 2^24 < 2^32), and ConstantDivider divides them exactly by
// a multiplication and a shift. In float and double the sums are exact
// integers as long as they stay below 2^24 (float) or 2^53 (double), and the
// division is a multiplication too: with q = n div D, the value x = (n + 1/2) / D lies in
// [q + 1/(2D), q + 1 - 1/(2D)] and below 256. Multiplying n + 1/2 (exact)
// by the rounded reciprocal of D rounds twice, each time by a relative error
// of at most u, so the product is off from x by less than 256 * (2u + u^2).
// That is below 1/(2D) for D < 2^14 in float (u = 2^-24) and for D < 2^43 in
// double (u = 2^-53), so truncating the product gives q. Float serves
// D < 2^14, 32-bit integers D < 2^24, double D < 2^43. Larger divisors
// (interpolating into more than 2^41 pixels, averaging more than 2^43) use
// 128-bit integers and a true division.
//
// In 32-bit integers both methods reverse the order where they can: the
// PairedTapFilter filters each source row across first, two 16-bit taps per
// multiply, because the horizontal pass here gathers scattered partial sums
// for every output value, several of them for averaging's wide filters.

namespace {

__extension__ using Wide = __int128;

// Offsets into a row of partial sums, three per source pixel: 32-bit, which
// lets the vector loops gather twice as many values at a time, except in the
// 128-bit arithmetic, which also serves rows too long for them.
template <typename T>
using Index = std::conditional_t<std::is_same_v<T, Wide>, std::ptrdiff_t, std::int32_t>;

constexpr std::int64_t kSingleMaxDivisor = (std::int64_t{1} << 14) - 1;
constexpr std::int64_t kDoubleMaxDivisor = (std::int64_t{1} << 43) - 1;

void ReduceByCommonFactor(AxisFilter& filter)
{
    std::int64_t factor = filter.divisor;
    for (std::size_t i = 0; i < filter.weights.size() && factor > 1; ++i)
        factor = std::gcd(factor, filter.weights[i]);
    for (std::int64_t& weight : filter.weights)
        weight /= factor;
    filter.divisor /= factor;
}

AxisFilter InterpolationFilter(int sourceSize, int destinationSize)
{
    AxisFilter filter;
    filter.taps = 2;
    filter.divisor = 2 * static_cast<std::int64_t>(destinationSize);
    for (const InterpolationEntry& entry : InterpolationTable(sourceSize, destinationSize)) {
        // The clamped edges carry divisor 1; scaling them to the common
        // divisor keeps their quotient.
        const std::int64_t scale = filter.divisor / entry.divisor;
        filter.first.push_back(entry.first);
        filter.span.push_back(2);
        filter.weights.push_back(entry.weight0 * scale);
        filter.weights.push_back(entry.weight1 * scale);
    }
    ReduceByCommonFactor(filter);
    return filter;
}

AxisFilter AveragingFilter(int sourceSize, int destinationSize)
{
    const std::vector<AveragingEntry> table = AveragingTable(sourceSize, destinationSize);
    AxisFilter filter;
    filter.divisor = sourceSize;
    for (const AveragingEntry& entry : table)
        filter.taps = std::max<std::int64_t>(filter.taps, entry.last - entry.first + 1);
    filter.weights.assign(table.size() * static_cast<std::size_t>(filter.taps), 0);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const AveragingEntry& entry = table[i];
        const std::int64_t span = entry.last - entry.first + 1;
        std::int64_t* weights = filter.weights.data() + i * static_cast<std::size_t>(filter.taps);
        std::fill(weights + 1, weights + span - 1, destinationSize);
        weights[0] = entry.firstWeight;
        weights[span - 1] = entry.lastWeight;
        filter.first.push_back(entry.first);
        filter.span.push_back(span);
    }
    ReduceByCommonFactor(filter);
    return filter;
}

// n div D for the exact sums of the floating-point types, as argued above.
template <typename T>
struct TruncatingDivider {
    explicit TruncatingDivider(Wide divisor) : reciprocal(T(1) / static_cast<T>(divisor)) {}
    std::uint8_t operator()(T sum) const
    {
        return static_cast<std::uint8_t>(static_cast<std::int32_t>((sum + T(0.5)) * reciprocal));
    }
    T reciprocal;
};

// n div D for the exact sums in 32-bit integers: a multiplication and a shift.
template <>
struct TruncatingDivider<std::uint32_t> {
    explicit TruncatingDivider(Wide divisor) : divide(static_cast<std::uint32_t>(divisor)) {}
    std::uint8_t operator()(std::uint32_t sum) const { return static_cast<std::uint8_t>(divide(sum)); }
    ConstantDivider divide;
};

template <>
struct TruncatingDivider<Wide> {
    explicit TruncatingDivider(Wide divisor) : divisor(divisor) {}
    std::uint8_t operator()(Wide sum) const { return static_cast<std::uint8_t>(sum / divisor); }
    Wide divisor;
};

// The hot loops. Each is a plain loop over contiguous memory (or indexed
// loads) that the compiler vectorises. For float, 32-bit integers and double
// they are also built for two wider x86-64 instruction sets, and
// LoopsAt(ActiveKernelLevel()) picks the set to run; 128-bit integers, which
// only serve divisors beyond 2^43, take the templates as they are.
template <typename T>
[[gnu::always_inline]] inline void WeighRow(T* __restrict sums, const std::uint8_t* __restrict row, T weight,
                                            std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        sums[i] = weight * static_cast<T>(row[i]);
}

template <typename T>
[[gnu::always_inline]] inline void AddWeighedRow(T* __restrict sums, const std::uint8_t* __restrict row, T weight,
                                                 std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        sums[i] += weight * static_cast<T>(row[i]);
}

template <typename T>
[[gnu::always_inline]] inline void WeighRowPair(T* __restrict sums, const std::uint8_t* __restrict row0, T weight0,
                                                const std::uint8_t* __restrict row1, T weight1, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        sums[i] = weight0 * static_cast<T>(row0[i]) + weight1 * static_cast<T>(row1[i]);
}

// out[j] = (weights0[j] * sums[index[j]] + weights1[j] * sums[index[j] + 3]) div D
template <typename T>
[[gnu::always_inline]] inline void InterpolateRow(std::uint8_t* __restrict out, const T* __restrict sums,
                                                  const Index<T>* __restrict index, const T* __restrict weights0,
                                                  const T* __restrict weights1, TruncatingDivider<T> divide,
                                                  std::size_t count)
{
    for (std::size_t j = 0; j < count; ++j)
        out[j] = divide(weights0[j] * sums[index[j]] + weights1[j] * sums[index[j] + 3]);
}

// totals[j] (+)= weights[j] * sums[index[j] + offset]
template <typename T>
[[gnu::always_inline]] inline void Gather(T* __restrict totals, const T* __restrict sums,
                                          const Index<T>* __restrict index, const T* __restrict weights,
                                          Index<T> offset, bool first, std::size_t count)
{
    if (first) {
        for (std::size_t j = 0; j < count; ++j)
            totals[j] = weights[j] * sums[index[j] + offset];
    } else {
        for (std::size_t j = 0; j < count; ++j)
            totals[j] += weights[j] * sums[index[j] + offset];
    }
}

template <typename T>
[[gnu::always_inline]] inline void DivideRow(std::uint8_t* __restrict out, const T* __restrict totals,
                                             TruncatingDivider<T> divide, std::size_t count)
{
    for (std::size_t j = 0; j < count; ++j)
        out[j] = divide(totals[j]);
}

// One set of the hot loops, built for one instruction set.
template <typename T>
struct Loops {
    void (*weighRow)(T*, const std::uint8_t*, T, std::size_t);
    void (*addWeighedRow)(T*, const std::uint8_t*, T, std::size_t);
    void (*weighRowPair)(T*, const std::uint8_t*, T, const std::uint8_t*, T, std::size_t);
    void (*interpolateRow)(std::uint8_t*, const T*, const Index<T>*, const T*, const T*, TruncatingDivider<T>,
                           std::size_t);
    void (*gather)(T*, const T*, const Index<T>*, const T*, Index<T>, bool, std::size_t);
    void (*divideRow)(std::uint8_t*, const T*, TruncatingDivider<T>, std::size_t);
    const char* features;
};

// The loops of every number type compiled for one instruction set, in their
// own namespace. The templates they wrap are reached through the enclosing
// namespace, whose names the wrappers hide.
#define VELMORA_LOOPS_FOR(T, TARGET)                                                                                   \
    TARGET void WeighRow(T* __restrict sums, const std::uint8_t* __restrict row, T weight, std::size_t count)          \
    {                                                                                                                  \
        velmora::WeighRow<T>(sums, row, weight, count);                                                                \
    }                                                                                                                  \
    TARGET void AddWeighedRow(T* __restrict sums, const std::uint8_t* __restrict row, T weight, std::size_t count)     \
    {                                                                                                                  \
        velmora::AddWeighedRow<T>(sums, row, weight, count);                                                           \
    }                                                                                                                  \
    TARGET void WeighRowPair(T* __restrict sums, const std::uint8_t* __restrict row0, T weight0,                       \
                             const std::uint8_t* __restrict row1, T weight1, std::size_t count)                        \
    {                                                                                                                  \
        velmora::WeighRowPair<T>(sums, row0, weight0, row1, weight1, count);                                           \
    }                                                                                                                  \
    TARGET void InterpolateRow(std::uint8_t* __restrict out, const T* __restrict sums,                                 \
                               const Index<T>* __restrict index, const T* __restrict weights0,                         \
                               const T* __restrict weights1, TruncatingDivider<T> divide, std::size_t count)           \
    {                                                                                                                  \
        velmora::InterpolateRow<T>(out, sums, index, weights0, weights1, divide, count);                               \
    }                                                                                                                  \
    TARGET void Gather(T* __restrict totals, const T* __restrict sums, const Index<T>* __restrict index,               \
                       const T* __restrict weights, Index<T> offset, bool first, std::size_t count)                    \
    {                                                                                                                  \
        velmora::Gather<T>(totals, sums, index, weights, offset, first, count);                                        \
    }                                                                                                                  \
    TARGET void DivideRow(std::uint8_t* __restrict out, const T* __restrict totals, TruncatingDivider<T> divide,       \
                          std::size_t count)                                                                           \
    {                                                                                                                  \
        velmora::DivideRow<T>(out, totals, divide, count);                                                             \
    }

#define VELMORA_LOOPS_AT(LEVEL, TARGET, FEATURES)                                                                      \
    namespace LEVEL {                                                                                                  \
    VELMORA_LOOPS_FOR(float, TARGET)                                                                                   \
    VELMORA_LOOPS_FOR(std::uint32_t, TARGET)                                                                           \
    VELMORA_LOOPS_FOR(double, TARGET)                                                                                  \
    template <typename T>                                                                                              \
    constexpr Loops<T> kLoops{                                                                                         \
        &WeighRow, &AddWeighedRow, &WeighRowPair, &InterpolateRow, &Gather, &DivideRow, FEATURES};                     \
    }

VELMORA_LOOPS_AT(portable, , "")
#if VELMORA_X86_KERNELS
VELMORA_LOOPS_AT(avx2, VELMORA_TARGET_V3, VELMORA_V3_FEATURES)
VELMORA_LOOPS_AT(avx512, VELMORA_TARGET_V4, VELMORA_V4_FEATURES)
#endif
#undef VELMORA_LOOPS_AT
#undef VELMORA_LOOPS_FOR

template <typename T>
Loops<T> LoopsAt(KernelLevel level)
{
    if constexpr (std::is_same_v<T, Wide>) {
        return {&WeighRow<T>, &AddWeighedRow<T>, &WeighRowPair<T>, &InterpolateRow<T>, &Gather<T>, &DivideRow<T>, ""};
    } else {
#if VELMORA_X86_KERNELS
        switch (level) {
        case KernelLevel::Avx512: return avx512::kLoops<T>;
        case KernelLevel::Avx2: return avx2::kLoops<T>;
        case KernelLevel::Portable: break;
        }
#else
        (void)level;
#endif
        return portable::kLoops<T>;
    }
}

// The column filter spread over the three channels of every destination
// pixel, so the horizontal pass is one flat loop over output values.
template <typename T>
struct ColumnPlan {
    explicit ColumnPlan(const AxisFilter& columns)
        : values(3 * columns.Size()), taps(columns.taps), index(values), weights(values * taps)
    {
        for (std::size_t k = 0; k < columns.Size(); ++k) {
            for (std::size_t channel = 0; channel < 3; ++channel) {
                const std::size_t j = 3 * k + channel;
                index[j] = static_cast<Index<T>>(3 * columns.first[k] + static_cast<std::int64_t>(channel));
                for (std::size_t t = 0; t < taps; ++t)
                    weights[t * values + j] = static_cast<T>(columns.weights[k * taps + t]);
            }
        }
    }
    const T* Weights(std::size_t tap) const { return weights.data() + tap * values; }

    std::size_t values;
    std::size_t taps;
    std::vector<Index<T>> index;
    std::vector<T> weights;
};

template <typename T>
T RowWeight(const AxisFilter& rows, std::size_t row, std::size_t tap)
{
    return static_cast<T>(rows.weights[row * static_cast<std::size_t>(rows.taps) + tap]);
}

// Room past the partial sums of a row: averaging taps of the last columns
// run past the row (into zeros of zero weight), and the vector kernels load
// whole windows.
std::size_t SumsPadding(const AxisFilter& columns)
{
    return 3 * static_cast<std::size_t>(columns.taps) + 32;
}

#if VELMORA_X86_KERNELS
// GCC 12 takes the undefined upper halves inside the AVX-512 intrinsics for
// uninitialised variables.
#pragma GCC diagnostic push
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

// The interpolating horizontal pass in blocks of five destination pixels.
// The source pixels of two neighbouring destination pixels are at most two
// apart, so the 15 values of a block and their right neighbours lie in a
// window of 32 partial sums and two permutations pick them out.
class InterpolationBlocks {
public:
    static constexpr std::size_t kValues = 15;

    // False when a block's window would not fit, which the interpolation
    // tables never produce; the caller then takes the portable loop.
    bool Build(const ColumnPlan<float>& plan, const AxisFilter& columns)
    {
        values_ = plan.values;
        divisor_ = static_cast<float>(columns.divisor);
        const std::size_t blocks = (values_ + kValues - 1) / kValues;
        base_.resize(blocks);
        lanes_.assign(16 * blocks, 0);
        weights0_.assign(16 * blocks, 0.0f);
        for (std::size_t block = 0; block < blocks; ++block) {
            base_[block] = plan.index[block * kValues];
            for (std::size_t lane = 0; lane < kValues && block * kValues + lane < values_; ++lane) {
                const std::size_t j = block * kValues + lane;
                const Index<float> offset = plan.index[j] - base_[block];
                if (offset + 3 > 31)
                    return false;
                lanes_[16 * block + lane] = static_cast<std::uint8_t>(offset);
                weights0_[16 * block + lane] = plan.Weights(0)[j];
            }
        }
        return true;
    }

    VELMORA_AVX512 void Run(std::uint8_t* out, const float* sums, float reciprocal) const
    {
        const __m512 half = _mm512_set1_ps(0.5f);
        const __m512 scale = _mm512_set1_ps(reciprocal);
        const __m512 divisor = _mm512_set1_ps(divisor_);
        const __m512i neighbour = _mm512_set1_epi32(3);
        for (std::size_t block = 0; block < base_.size(); ++block) {
            const float* window = sums + base_[block];
            const __m512 low = _mm512_loadu_ps(window);
            const __m512 high = _mm512_loadu_ps(window + 16);
            const __m512i lanes0 =
                _mm512_cvtepu8_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(lanes_.data() + 16 * block)));
            const __m512i lanes1 = _mm512_add_epi32(lanes0, neighbour);
            const __m512 weight0 = _mm512_loadu_ps(weights0_.data() + 16 * block);
            const __m512 weight1 = _mm512_sub_ps(divisor, weight0);
            const __m512 sum = _mm512_fmadd_ps(_mm512_permutex2var_ps(low, lanes1, high), weight1,
                                               _mm512_mul_ps(_mm512_permutex2var_ps(low, lanes0, high), weight0));
            const __m512i quotient = _mm512_cvttps_epi32(_mm512_mul_ps(_mm512_add_ps(sum, half), scale));
            const std::size_t count = std::min(kValues, values_ - block * kValues);
            _mm_mask_storeu_epi8(out + block * kValues, static_cast<__mmask16>((1u << count) - 1),
                                 _mm512_cvtepi32_epi8(quotient));
        }
    }

private:
    std::size_t values_ = 0;
    float divisor_ = 0;
    std::vector<Index<float>> base_;
    std::vector<std::uint8_t> lanes_;
    std::vector<float> weights0_;
};

// The averaging horizontal pass of the gathering loops, a vector of output
// values at a time (16 in 32-bit integers, 8 in double), each tap gathered
// from the partial sums.
template <typename T>
class AveragingVectors {
public:
    static constexpr std::size_t kLanes = 64 / sizeof(T);

    void Build(const ColumnPlan<T>& plan)
    {
        values_ = plan.values;
        taps_ = plan.taps;
        padded_ = (values_ + kLanes - 1) / kLanes * kLanes;
        index_.assign(padded_, 0);
        weights_.assign(padded_ * taps_, T(0));
        for (std::size_t j = 0; j < values_; ++j) {
            index_[j] = static_cast<std::int32_t>(plan.index[j]);
            for (std::size_t t = 0; t < taps_; ++t)
                weights_[t * padded_ + j] = plan.Weights(t)[j];
        }
    }

    VELMORA_AVX512 void Run(std::uint8_t* out, const T* sums, const TruncatingDivider<T>& divide) const
    {
        for (std::size_t j = 0; j < padded_; j += kLanes) {
            const std::size_t count = std::min(kLanes, values_ - j);
            const auto mask = static_cast<__mmask16>((1u << count) - 1);
            _mm_mask_storeu_epi8(out + j, mask, Quotients(j, sums, divide));
        }
    }

private:
    // The truncated quotients of output values j .. j + kLanes - 1 as bytes.
    VELMORA_AVX512 __m128i Quotients(std::size_t j, const T* sums, const TruncatingDivider<T>& divide) const
    {
        const T* weights = weights_.data() + j;
        if constexpr (std::is_same_v<T, std::uint32_t>) {
            __m512i index = _mm512_loadu_si512(index_.data() + j);
            __m512i sum = _mm512_setzero_si512();
            for (std::size_t t = 0; t < taps_; ++t, weights += padded_) {
                const __m512i values = _mm512_i32gather_epi32(index, sums, 4);
                sum = _mm512_add_epi32(sum, _mm512_mullo_epi32(values, _mm512_loadu_si512(weights)));
                index = _mm512_add_epi32(index, _mm512_set1_epi32(3));
            }
            return _mm512_cvtepi32_epi8(DivideLanes(sum, divide.divide));
        } else {
            __m256i index = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(index_.data() + j));
            __m512d sum = _mm512_setzero_pd();
            for (std::size_t t = 0; t < taps_; ++t, weights += padded_) {
                sum = _mm512_fmadd_pd(_mm512_i32gather_pd(index, sums, 8), _mm512_loadu_pd(weights), sum);
                index = _mm256_add_epi32(index, _mm256_set1_epi32(3));
            }
            sum = _mm512_mul_pd(_mm512_add_pd(sum, _mm512_set1_pd(0.5)), _mm512_set1_pd(divide.reciprocal));
            return _mm256_cvtepi32_epi8(_mm512_cvttpd_epi32(sum));
        }
    }

    std::size_t values_ = 0;
    std::size_t taps_ = 0;
    std::size_t padded_ = 0;
    std::vector<std::int32_t> index_;
    std::vector<T> weights_;
};
#pragma GCC diagnostic pop
#endif

// The vertical pass, handing each destination row's partial sums to
// `writeRow`. Two source rows, which interpolation always has, take one
// fused loop.
template <typename T, typename RowWriter>
void CombineRows(Bitmap& destination, const Bitmap& source, const AxisFilter& columns, const AxisFilter& rows,
                 const Loops<T>& loops, const RowWriter& writeRow)
{
    const std::size_t sourceValues = 3 * static_cast<std::size_t>(source.Width());
    std::vector<T> sums(sourceValues + SumsPadding(columns));
    for (std::size_t m = 0; m < rows.Size(); ++m) {
        const int y = static_cast<int>(rows.first[m]);
        if (rows.span[m] == 2) {
            loops.weighRowPair(sums.data(), source.ScanLine(y), RowWeight<T>(rows, m, 0), source.ScanLine(y + 1),
                               RowWeight<T>(rows, m, 1), sourceValues);
        } else {
            loops.weighRow(sums.data(), source.ScanLine(y), RowWeight<T>(rows, m, 0), sourceValues);
            for (std::int64_t t = 1; t < rows.span[m]; ++t)
                loops.addWeighedRow(sums.data(), source.ScanLine(y + static_cast<int>(t)),
                                    RowWeight<T>(rows, m, static_cast<std::size_t>(t)), sourceValues);
        }
        writeRow(destination.ScanLine(static_cast<int>(m)), sums.data());
    }
}

template <typename T>
void Interpolate(Bitmap& destination, const Bitmap& source, const AxisFilter& columns, const AxisFilter& rows)
{
    const KernelLevel level = ActiveKernelLevel();
    const Loops<T> loops = LoopsAt<T>(level);
    NoteKernelsRun(loops.features);
    const ColumnPlan<T> plan(columns);
    const TruncatingDivider<T> divide(static_cast<Wide>(columns.divisor) * rows.divisor);
#if VELMORA_X86_KERNELS
    if constexpr (std::is_same_v<T, float>) {
        InterpolationBlocks blocks;
        if (level == KernelLevel::Avx512 && blocks.Build(plan, columns)) {
            CombineRows<T>(destination, source, columns, rows, loops,
                           [&](std::uint8_t* out, const T* sums) { blocks.Run(out, sums, divide.reciprocal); });
            return;
        }
    }
#endif
    CombineRows<T>(destination, source, columns, rows, loops, [&](std::uint8_t* out, const T* sums) {
        loops.interpolateRow(out, sums, plan.index.data(), plan.Weights(0), plan.Weights(1), divide, plan.values);
    });
}

template <typename T>
void Average(Bitmap& destination, const Bitmap& source, const AxisFilter& columns, const AxisFilter& rows)
{
    const KernelLevel level = ActiveKernelLevel();
    const Loops<T> loops = LoopsAt<T>(level);
    NoteKernelsRun(loops.features);
    const ColumnPlan<T> plan(columns);
    const TruncatingDivider<T> divide(static_cast<Wide>(columns.divisor) * rows.divisor);
#if VELMORA_X86_KERNELS
    if constexpr (!std::is_same_v<T, Wide>) {
        AveragingVectors<T> vectors;
        if (level == KernelLevel::Avx512) {
            vectors.Build(plan);
            CombineRows<T>(destination, source, columns, rows, loops,
                           [&](std::uint8_t* out, const T* sums) { vectors.Run(out, sums, divide); });
            return;
        }
    }
#endif
    std::vector<T> totals(plan.values);
    CombineRows<T>(destination, source, columns, rows, loops, [&](std::uint8_t* out, const T* sums) {
        for (std::size_t t = 0; t < plan.taps; ++t)
            loops.gather(totals.data(), sums, plan.index.data(), plan.Weights(t), static_cast<Index<T>>(3 * t), t == 0,
                         plan.values);
        loops.divideRow(out, totals.data(), divide, plan.values);
    });
}

// The narrowest exact number type for the combined divisor, or the requested
// one when that is exact too. Rows of partial sums too long for 32-bit
// offsets (sources over 700 million pixels wide) take the 128-bit loops.
ResampleArithmetic ExactArithmetic(ResampleArithmetic requested, const AxisFilter& columns, const AxisFilter& rows,
                                   int sourceWidth)
{
    const Wide divisor = static_cast<Wide>(columns.divisor) * rows.divisor;
    const std::size_t sumsPerRow = 3 * static_cast<std::size_t>(sourceWidth) + SumsPadding(columns);
    ResampleArithmetic narrowest = ResampleArithmetic::WideInteger;
    if (sumsPerRow > static_cast<std::size_t>(INT32_MAX))
        return narrowest;
    if (divisor <= kSingleMaxDivisor)
        narrowest = ResampleArithmetic::Single;
    else if (divisor <= ConstantDivider::kMaxDivisor)
        narrowest = ResampleArithmetic::Integer32;
    else if (divisor <= kDoubleMaxDivisor)
        narrowest = ResampleArithmetic::Double;
    if (requested == ResampleArithmetic::Automatic)
        return narrowest;
    return std::max(requested, narrowest);
}

// Runs `kernel` with a value of the number type of the exact arithmetic;
// the kernel takes its type from that value.
template <typename Kernel>
void WithExactArithmetic(ResampleArithmetic requested, const AxisFilter& columns, const AxisFilter& rows,
                         int sourceWidth, Kernel kernel)
{
    switch (ExactArithmetic(requested, columns, rows, sourceWidth)) {
    case ResampleArithmetic::Automatic:
    case ResampleArithmetic::Single: kernel(float{}); break;
    case ResampleArithmetic::Integer32: kernel(std::uint32_t{}); break;
    case ResampleArithmetic::Double: kernel(double{}); break;
    case ResampleArithmetic::WideInteger: kernel(Wide{}); break;
    }
}

void MakeBoth24(Bitmap& destination, Bitmap& source)
{
    destination.SetFormat(PixelFormat::Bits24);
    source.SetFormat(PixelFormat::Bits24);
}

}  // namespace

std::vector<InterpolationEntry> InterpolationTable(int sourceSize, int destinationSize)
{
    const std::int64_t s = sourceSize;
    const std::int64_t d = destinationSize;
    std::vector<InterpolationEntry> table;
    table.reserve(static_cast<std::size_t>(std::max<std::int64_t>(d, 0)));
    for (std::int64_t k = 0; k < d; ++k) {
        const std::int64_t g = ((2 * k + 1) * s + d) / (2 * d) - 1;
        if (g < 0) {
            table.push_back({0, 1, 0, 1});
        } else if (g == s - 1) {
            table.push_back({s - 2, 0, 1, 1});
        } else {
            const std::int64_t weight1 = (2 * k + 1) * s - (2 * g + 1) * d;
            table.push_back({g, 2 * d - weight1, weight1, 2 * d});
        }
    }
    return table;
}

std::vector<AveragingEntry> AveragingTable(int sourceSize, int destinationSize)
{
    const std::int64_t s = sourceSize;
    const std::int64_t d = destinationSize;
    std::vector<AveragingEntry> table;
    table.reserve(static_cast<std::size_t>(std::max<std::int64_t>(d, 0)));
    for (std::int64_t k = 0; k < d; ++k) {
        const std::int64_t first = k * s / d;
        const std::int64_t last = ((k + 1) * s - 1) / d;
        table.push_back({first, (first + 1) * d - k * s, last, (k + 1) * s - last * d});
    }
    return table;
}

void InterpolateBitmap24(Bitmap& destination, const Bitmap& source, ResampleArithmetic arithmetic)
{
    const AxisFilter columns = InterpolationFilter(source.Width(), destination.Width());
    const AxisFilter rows = InterpolationFilter(source.Height(), destination.Height());
    const KernelLevel level = ActiveKernelLevel();
    // Small divisors interpolate faster in float, through the permutations
    // at AVX-512 and the plain loops on the baseline; at x86-64-v3 those
    // loops would gather, and the paired taps win.
    const ResampleArithmetic exact = ExactArithmetic(arithmetic, columns, rows, source.Width());
    const bool paired =
        exact == ResampleArithmetic::Integer32 || (exact == ResampleArithmetic::Single && level == KernelLevel::Avx2);
    if (paired && PairedTapFilter::Suits(columns, rows)) {
        PairedTapFilter(columns, rows).Run(destination, source, level);
        return;
    }
    WithExactArithmetic(arithmetic, columns, rows, source.Width(),
                        [&](auto number) { Interpolate<decltype(number)>(destination, source, columns, rows); });
}

void AverageBitmap24(Bitmap& destination, const Bitmap& source, ResampleArithmetic arithmetic)
{
    const AxisFilter columns = AveragingFilter(source.Width(), destination.Width());
    const AxisFilter rows = AveragingFilter(source.Height(), destination.Height());
    // Averaging accumulates in 32-bit integers at the least: with their
    // weights in 16 bits, which is nearly always, the paired taps filter the
    // rows with no gathering at all.
    const ResampleArithmetic exact =
        std::max(ExactArithmetic(arithmetic, columns, rows, source.Width()), ResampleArithmetic::Integer32);
    if (exact == ResampleArithmetic::Integer32 && PairedTapFilter::Suits(columns, rows)) {
        PairedTapFilter(columns, rows).Run(destination, source, ActiveKernelLevel());
        return;
    }
    WithExactArithmetic(exact, columns, rows, source.Width(), [&](auto number) {
        if constexpr (!std::is_same_v<decltype(number), float>)
            Average<decltype(number)>(destination, source, columns, rows);
    });
}

void StretchBitmap(Bitmap* destination, Bitmap* source)
{
    if (destination == nullptr || source == nullptr)
        return;
    const std::int64_t dw = destination->Width(), dh = destination->Height();
    const std::int64_t sw = source->Width(), sh = source->Height();
    if (dw < (sw + 1) / 2 || dh < (sh + 1) / 2) {
        ShrinkBitmap(destination, source);
    } else if (dw >= 2 && dh >= 2 && sw >= 2 && sh >= 2) {
        MakeBoth24(*destination, *source);
        InterpolateBitmap24(*destination, *source);
    } else if ((dw == 1 || dh == 1) && sw > dw && sh > dh) {
        ShrinkBitmap(destination, source);
    }
}

void ShrinkBitmap(Bitmap* destination, Bitmap* source)
{
    if (destination == nullptr || source == nullptr)
        return;
    const int dw = destination->Width(), dh = destination->Height();
    const int sw = source->Width(), sh = source->Height();
    if (dw < 1 || dh < 1 || sw < 2 || sh < 2)
        return;
    if (dw < sw && dh < sh) {
        MakeBoth24(*destination, *source);
        AverageBitmap24(*destination, *source);
    } else if (dw >= sw && dh >= sh) {
        StretchBitmap(destination, source);
    }
}

std::unique_ptr<Bitmap> NewBitmap24(int width, int height)
{
    return std::make_unique<Bitmap>(width, height, PixelFormat::Bits24);
}

void PrepareBitmap24(std::unique_ptr<Bitmap>& bitmap, int width, int height)
{
    if (bitmap)
        bitmap->SetHeight(0);
    else
        bitmap = std::make_unique<Bitmap>();
    bitmap->SetFormat(PixelFormat::Bits24);
    bitmap->SetSize(width, height);
}

}  // namespace velmora
