#include "graphics/PairedTapFilter.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "graphics/ConstantDividerLanes.h"
#include "graphics/X86Kernels.h"

namespace velmora {

namespace {

using ColumnPairs = PairedTapFilter::ColumnPairs;

constexpr std::int64_t kMaxPairWeight = INT16_MAX;
// A row kernel reads a destination pixel's source bytes in blocks of 16, each
// holding two tap pairs (12 bytes); the last block may reach 4 bytes further.
constexpr std::size_t kPairBytes = 6;
constexpr std::size_t kBlockBytes = 16;

// ---- Filtering one source row across: sums[3k + c] = sum over taps t of
// w(k, t) * row[starts[k] + 3t + c]. A kernel may also write the value after
// a pixel's three (later overwritten, or padding). Each is compiled for the
// common pair counts, so their loops unroll, and for any count.

constexpr std::size_t kBlock = PairedTapFilter::kPixelBlock;

// Where pixel k's weights for `pair` begin, of `pairs` per pixel.
constexpr std::size_t PairWeightsOffset(std::size_t k, std::size_t pair, std::size_t pairs)
{
    return 8 * ((k / kBlock * pairs + pair) * kBlock + k % kBlock);
}

// Pixel k's weights for its first pair; the next pair's are kBlock pixels on.
inline const std::int16_t* PixelWeights(const ColumnPairs& columns, std::size_t k)
{
    return columns.weights + PairWeightsOffset(k, 0, columns.pairs);
}

#define VELMORA_WITH_FIXED_PAIRS(KERNEL, ...)                                                                          \
    switch (columns.pairs) {                                                                                           \
    case 1: return KERNEL<1>(__VA_ARGS__);                                                                             \
    case 2: return KERNEL<2>(__VA_ARGS__);                                                                             \
    case 3: return KERNEL<3>(__VA_ARGS__);                                                                             \
    case 4: return KERNEL<4>(__VA_ARGS__);                                                                             \
    default: return KERNEL<0>(__VA_ARGS__);                                                                            \
    }

#if VELMORA_X86_KERNELS

// One pixel at a time, without byte shuffles: the pair's eight bytes and the
// same shifted by one pixel, interleaved, hold each channel's two taps side
// by side.
template <std::size_t FixedPairs>
inline void FilterRowBaselinePairs(std::uint32_t* sums, const std::uint8_t* row, const ColumnPairs& columns)
{
    const std::size_t pairs = FixedPairs != 0 ? FixedPairs : columns.pairs;
    const __m128i zero = _mm_setzero_si128();
    const std::int32_t* starts = columns.starts;
    const std::size_t pixels = columns.pixels;
    for (std::size_t k = 0; k < pixels; ++k) {
        const std::uint8_t* taps = row + starts[k];
        const auto* weights = reinterpret_cast<const __m128i*>(PixelWeights(columns, k));
        __m128i sum = zero;
        for (std::size_t p = 0; p < pairs; ++p) {
            const __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(taps + kPairBytes * p));
            const __m128i paired = _mm_unpacklo_epi8(bytes, _mm_srli_epi64(bytes, 24));
            const __m128i words = _mm_unpacklo_epi8(paired, zero);
            sum = _mm_add_epi32(sum, _mm_madd_epi16(words, _mm_loadu_si128(weights + kBlock * p)));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + 3 * k), sum);
    }
}

void FilterRowBaseline(std::uint32_t* sums, const std::uint8_t* row,
                       const ColumnPairs& columns){VELMORA_WITH_FIXED_PAIRS(FilterRowBaselinePairs, sums, row, columns)}

// Byte shuffles that widen one tap pair of a 16-byte block into the 16-bit
// layout the pair multiply takes: channel by channel, the pair's two taps,
// then zeros (-1 selects zero).
#define VELMORA_PAIR_SHUFFLE(o) o, -1, o + 3, -1, o + 1, -1, o + 4, -1, o + 2, -1, o + 5, -1, -1, -1, -1, -1

VELMORA_TARGET_V3 inline __m256i LoadBlocks2(const std::uint8_t* a, const std::uint8_t* b)
{
    return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a))),
                                   _mm_loadu_si128(reinterpret_cast<const __m128i*>(b)), 1);
}

// Two destination pixels at a time, one per 128-bit half.
template <std::size_t FixedPairs>
VELMORA_TARGET_V3 inline void FilterRowV3Pairs(std::uint32_t* sums, const std::uint8_t* row, const ColumnPairs& columns)
{
    const std::size_t pairs = FixedPairs != 0 ? FixedPairs : columns.pairs;
    const __m256i firstPair = _mm256_setr_epi8(VELMORA_PAIR_SHUFFLE(0), VELMORA_PAIR_SHUFFLE(0));
    const __m256i secondPair = _mm256_setr_epi8(VELMORA_PAIR_SHUFFLE(6), VELMORA_PAIR_SHUFFLE(6));
    // The two pixels' values side by side, then the two unused lanes.
    const __m256i packTwo = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7);
    const std::int32_t* starts = columns.starts;
    const std::size_t pixels = columns.pixels;
    for (std::size_t k = 0; k < pixels; k += 2) {
        const std::uint8_t* a = row + starts[k];
        const std::uint8_t* b = row + starts[k + 1];
        // A pair's weights for the two pixels, then the next pair's a block on.
        const auto* weights = reinterpret_cast<const __m256i*>(PixelWeights(columns, k));
        __m256i sum = _mm256_setzero_si256();
        std::size_t p = 0;
        for (; p + 1 < pairs; p += 2) {
            const __m256i bytes = LoadBlocks2(a + kPairBytes * p, b + kPairBytes * p);
            const __m256i first =
                _mm256_madd_epi16(_mm256_shuffle_epi8(bytes, firstPair), _mm256_loadu_si256(weights + kBlock / 2 * p));
            const __m256i second = _mm256_madd_epi16(_mm256_shuffle_epi8(bytes, secondPair),
                                                     _mm256_loadu_si256(weights + kBlock / 2 * (p + 1)));
            sum = _mm256_add_epi32(sum, _mm256_add_epi32(first, second));
        }
        if (p < pairs) {
            const __m256i bytes = LoadBlocks2(a + kPairBytes * p, b + kPairBytes * p);
            sum = _mm256_add_epi32(sum, _mm256_madd_epi16(_mm256_shuffle_epi8(bytes, firstPair),
                                                          _mm256_loadu_si256(weights + kBlock / 2 * p)));
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(sums + 3 * k), _mm256_permutevar8x32_epi32(sum, packTwo));
    }
}

VELMORA_TARGET_V3 void FilterRowV3(std::uint32_t* sums, const std::uint8_t* row, const ColumnPairs& columns){
    VELMORA_WITH_FIXED_PAIRS(FilterRowV3Pairs, sums, row, columns)}

// GCC 12 takes the undefined upper halves inside the AVX-512 intrinsics for
// uninitialised variables.
#pragma GCC diagnostic push
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
VELMORA_AVX512 inline __m512i EveryLane(__m128i lane)
{
    const __m512i widened = _mm512_zextsi128_si512(lane);
    return _mm512_shuffle_i32x4(widened, widened, 0);
}

VELMORA_AVX512 inline __m512i LoadBlocks4(const std::uint8_t* const* pixels, std::size_t offset)
{
    const auto block = [&](int i) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels[i] + offset)); };
    const __m512i low = _mm512_inserti32x4(_mm512_zextsi128_si512(block(0)), block(1), 1);
    return _mm512_inserti32x4(_mm512_inserti32x4(low, block(2), 2), block(3), 3);
}

// Four destination pixels at a time, one per 128-bit lane; their twelve
// values are packed together before the store.
template <std::size_t FixedPairs>
VELMORA_AVX512 inline void FilterRowV4Pairs(std::uint32_t* sums, const std::uint8_t* row, const ColumnPairs& columns)
{
    const std::size_t pairs = FixedPairs != 0 ? FixedPairs : columns.pairs;
    const __m512i firstPair = EveryLane(_mm_setr_epi8(VELMORA_PAIR_SHUFFLE(0)));
    const __m512i secondPair = EveryLane(_mm_setr_epi8(VELMORA_PAIR_SHUFFLE(6)));
    const auto* weights = reinterpret_cast<const __m512i*>(columns.weights);
    const std::int32_t* starts = columns.starts;
    const std::size_t pixelCount = columns.pixels;
    for (std::size_t k = 0; k < pixelCount; k += kBlock, weights += pairs) {
        const std::uint8_t* pixels[kBlock] = {row + starts[k], row + starts[k + 1], row + starts[k + 2],
                                              row + starts[k + 3]};
        __m512i sum = _mm512_setzero_si512();
        std::size_t p = 0;
        for (; p + 1 < pairs; p += 2) {
            const __m512i bytes = LoadBlocks4(pixels, kPairBytes * p);
            const __m512i first =
                _mm512_madd_epi16(_mm512_shuffle_epi8(bytes, firstPair), _mm512_loadu_si512(weights + p));
            const __m512i second =
                _mm512_madd_epi16(_mm512_shuffle_epi8(bytes, secondPair), _mm512_loadu_si512(weights + p + 1));
            sum = _mm512_add_epi32(sum, _mm512_add_epi32(first, second));
        }
        if (p < pairs) {
            const __m512i bytes = LoadBlocks4(pixels, kPairBytes * p);
            sum = _mm512_add_epi32(
                sum, _mm512_madd_epi16(_mm512_shuffle_epi8(bytes, firstPair), _mm512_loadu_si512(weights + p)));
        }
        _mm512_storeu_si512(sums + 3 * k, _mm512_maskz_compress_epi32(0x7777, sum));
    }
}

VELMORA_AVX512 void FilterRowV4(std::uint32_t* sums, const std::uint8_t* row, const ColumnPairs& columns)
{
    VELMORA_WITH_FIXED_PAIRS(FilterRowV4Pairs, sums, row, columns)
}
#pragma GCC diagnostic pop
#undef VELMORA_PAIR_SHUFFLE

#else

void FilterRowBaseline(std::uint32_t* sums, const std::uint8_t* row, const ColumnPairs& columns)
{
    for (std::size_t k = 0; k < columns.pixels; ++k) {
        const std::uint8_t* taps = row + columns.starts[k];
        const std::int16_t* weights = PixelWeights(columns, k);
        for (std::size_t channel = 0; channel < 3; ++channel) {
            std::uint32_t sum = 0;
            for (std::size_t p = 0; p < columns.pairs; ++p) {
                const std::int16_t* pair = weights + 8 * kBlock * p;
                const std::uint8_t* bytes = taps + kPairBytes * p + channel;
                sum += static_cast<std::uint32_t>(pair[0] * bytes[0] + pair[1] * bytes[3]);
            }
            sums[3 * k + channel] = sum;
        }
    }
}

#endif
#undef VELMORA_WITH_FIXED_PAIRS

// ---- Combining a destination row's filtered rows down the columns and
// dividing: out[j] = (sum over t of weights[t] * rows[t][j]) div D.

// Plain loops over contiguous values, which the compiler vectorises; they
// keep the running totals in `scratch`.
void CombineRowsBaseline(std::uint8_t* __restrict out, const std::uint32_t* const* rows, const std::uint32_t* weights,
                         std::size_t span, std::size_t count, ConstantDivider divide, std::uint32_t* __restrict scratch)
{
    const std::uint32_t* __restrict first = rows[0];
    for (std::size_t j = 0; j < count; ++j)
        scratch[j] = weights[0] * first[j];
    for (std::size_t t = 1; t < span; ++t) {
        const std::uint32_t* __restrict next = rows[t];
        for (std::size_t j = 0; j < count; ++j)
            scratch[j] += weights[t] * next[j];
    }
    for (std::size_t j = 0; j < count; ++j)
        out[j] = static_cast<std::uint8_t>(divide(scratch[j]));
}

#if VELMORA_X86_KERNELS

// Eight values at a time, in one pass. The filtered rows hold whole vectors;
// the destination row may not, so its last bytes go through a buffer.
VELMORA_TARGET_V3 inline __m128i CombinedBytesV3(const std::uint32_t* const* rows, const std::uint32_t* weights,
                                                 std::size_t span, std::size_t j, const ConstantDivider& divide)
{
    __m256i sum = _mm256_setzero_si256();
    for (std::size_t t = 0; t < span; ++t) {
        const __m256i values = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rows[t] + j));
        sum = _mm256_add_epi32(sum, _mm256_mullo_epi32(values, _mm256_set1_epi32(static_cast<int>(weights[t]))));
    }
    const __m256i quotients = DivideLanes(sum, divide);
    const __m128i words = _mm_packus_epi32(_mm256_castsi256_si128(quotients), _mm256_extracti128_si256(quotients, 1));
    return _mm_packus_epi16(words, words);
}

VELMORA_TARGET_V3 void CombineRowsV3(std::uint8_t* out, const std::uint32_t* const* rows, const std::uint32_t* weights,
                                     std::size_t span, std::size_t count, ConstantDivider divide, std::uint32_t*)
{
    std::size_t j = 0;
    for (; j + 8 <= count; j += 8)
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + j), CombinedBytesV3(rows, weights, span, j, divide));
    if (j < count) {
        alignas(16) std::uint8_t last[16];
        _mm_store_si128(reinterpret_cast<__m128i*>(last), CombinedBytesV3(rows, weights, span, j, divide));
        std::memcpy(out + j, last, count - j);
    }
}

// Sixteen values at a time, the last vector stored under a mask.
#pragma GCC diagnostic push
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
VELMORA_AVX512 void CombineRowsV4(std::uint8_t* out, const std::uint32_t* const* rows, const std::uint32_t* weights,
                                  std::size_t span, std::size_t count, ConstantDivider divide, std::uint32_t*)
{
    for (std::size_t j = 0; j < count; j += 16) {
        __m512i sum = _mm512_setzero_si512();
        for (std::size_t t = 0; t < span; ++t)
            sum = _mm512_add_epi32(sum, _mm512_mullo_epi32(_mm512_loadu_si512(rows[t] + j),
                                                           _mm512_set1_epi32(static_cast<int>(weights[t]))));
        const std::size_t left = count - j;
        const auto mask = static_cast<__mmask16>(left >= 16 ? 0xFFFF : (1u << left) - 1);
        _mm_mask_storeu_epi8(out + j, mask, _mm512_cvtepi32_epi8(DivideLanes(sum, divide)));
    }
}
#pragma GCC diagnostic pop

#endif

struct Kernels {
    void (*filterRow)(std::uint32_t*, const std::uint8_t*, const ColumnPairs&);
    void (*combineRows)(std::uint8_t*, const std::uint32_t* const*, const std::uint32_t*, std::size_t, std::size_t,
                        ConstantDivider, std::uint32_t*);
    const char* features;
};

Kernels KernelsAt(KernelLevel level)
{
#if VELMORA_X86_KERNELS
    switch (level) {
    case KernelLevel::Avx512: return {&FilterRowV4, &CombineRowsV4, VELMORA_V4_FEATURES};
    case KernelLevel::Avx2: return {&FilterRowV3, &CombineRowsV3, VELMORA_V3_FEATURES};
    case KernelLevel::Portable: break;
    }
#else
    (void)level;
#endif
    return {&FilterRowBaseline, &CombineRowsBaseline, ""};
}

std::size_t PairsOf(const AxisFilter& columns)
{
    return static_cast<std::size_t>(columns.taps + 1) / 2;
}

// Bytes a row kernel may read from a pixel's first source byte: whole blocks
// of two pairs, the last one possibly half used.
std::size_t PixelReadBytes(std::size_t pairs)
{
    return 2 * kPairBytes * ((pairs - 1) / 2) + kBlockBytes;
}

}  // namespace

bool PairedTapFilter::Suits(const AxisFilter& columns, const AxisFilter& rows)
{
    if (columns.Size() == 0 || rows.Size() == 0 || columns.taps < 1 || rows.taps > kMaxRingRows)
        return false;
    if (*std::max_element(columns.weights.begin(), columns.weights.end()) > kMaxPairWeight)
        return false;
    if (columns.divisor > ConstantDivider::kMaxDivisor ||
        rows.divisor > static_cast<std::int64_t>(ConstantDivider::kMaxDivisor) / columns.divisor)
        return false;
    // Byte offsets into a row are 32-bit.
    const std::int64_t lastStart = 3 * columns.first.back();
    return lastStart <= INT32_MAX - static_cast<std::int64_t>(PixelReadBytes(PairsOf(columns)));
}

PairedTapFilter::PairedTapFilter(const AxisFilter& columns, const AxisFilter& rows)
    : rows_(rows),
      pixels_(columns.Size()),
      paddedPixels_((pixels_ + kPixelBlock - 1) / kPixelBlock * kPixelBlock),
      pairs_(PairsOf(columns)),
      starts_(paddedPixels_, 0),
      weights_(8 * pairs_ * paddedPixels_, 0),
      divide_(static_cast<std::uint32_t>(columns.divisor * rows.divisor))
{
    const auto taps = static_cast<std::size_t>(columns.taps);
    for (std::size_t k = 0; k < pixels_; ++k) {
        starts_[k] = static_cast<std::int32_t>(3 * columns.first[k]);
        for (std::size_t t = 0; t < taps; ++t) {
            std::int16_t* pair = weights_.data() + PairWeightsOffset(k, t / 2, pairs_);
            for (std::size_t channel = 0; channel < 3; ++channel)
                pair[2 * channel + t % 2] = static_cast<std::int16_t>(columns.weights[k * taps + t]);
        }
    }
    sourceBytes_ = 3 * static_cast<std::size_t>(columns.first.back() + columns.span.back());
    readBytes_ = std::max(sourceBytes_, static_cast<std::size_t>(*std::max_element(starts_.begin(), starts_.end())) +
                                            PixelReadBytes(pairs_));
}

void PairedTapFilter::Run(Bitmap& destination, const Bitmap& source, KernelLevel level) const
{
    const Kernels kernels = KernelsAt(level);
    NoteKernelsRun(kernels.features);
    const ColumnPairs columns{starts_.data(), weights_.data(), paddedPixels_, pairs_};
    const std::size_t ringRows = static_cast<std::size_t>(rows_.taps);
    const std::size_t rowValues = RowValues();
    std::vector<std::uint32_t> ring(ringRows * rowValues);
    std::vector<std::uint32_t> scratch(rowValues);
    std::vector<const std::uint32_t*> spanRows(ringRows);
    std::vector<std::uint32_t> spanWeights(ringRows);
    // Reads past a row's pixels meet zero weights; only near the end of the
    // source's pixels must they be kept inside a buffer.
    std::vector<std::uint8_t> padded(readBytes_, 0);
    const std::uint8_t* pixelsEnd = source.Bits() + source.Stride() * static_cast<std::size_t>(source.Height());
    const auto filtered = [&](std::int64_t y) {
        return ring.data() + static_cast<std::size_t>(y) % ringRows * rowValues;
    };

    const std::size_t values = 3 * pixels_;
    std::int64_t nextRow = 0;
    for (std::size_t m = 0; m < rows_.Size(); ++m) {
        const std::int64_t first = rows_.first[m];
        const std::int64_t span = rows_.span[m];
        // The ring holds the last ringRows filtered rows; a destination row
        // needs at most that many, and its first never comes before the
        // previous row's first. Rows no destination row reads are skipped.
        for (nextRow = std::max(nextRow, first); nextRow < first + span; ++nextRow) {
            const std::uint8_t* row = source.ScanLine(static_cast<int>(nextRow));
            if (static_cast<std::size_t>(pixelsEnd - row) < readBytes_) {
                std::memcpy(padded.data(), row, sourceBytes_);
                row = padded.data();
            }
            kernels.filterRow(filtered(nextRow), row, columns);
        }
        for (std::int64_t t = 0; t < span; ++t) {
            spanRows[static_cast<std::size_t>(t)] = filtered(first + t);
            spanWeights[static_cast<std::size_t>(t)] =
                static_cast<std::uint32_t>(rows_.weights[m * ringRows + static_cast<std::size_t>(t)]);
        }
        kernels.combineRows(destination.ScanLine(static_cast<int>(m)), spanRows.data(), spanWeights.data(),
                            static_cast<std::size_t>(span), values, divide_, scratch.data());
    }
}

}  // namespace velmora
