#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "graphics/AxisFilter.h"
#include "graphics/Bitmap.h"
#include "graphics/ConstantDivider.h"
#include "graphics/KernelLevel.h"

namespace velmora {

// Exact separable resampling in 32-bit integers, for either method's
// filters, that filters each source row across first. Every destination
// pixel reads its source pixels as one block of bytes; a pair of taps at a
// time is widened to 16 bits and multiplied by a pair of 16-bit weights into
// one 32-bit sum, a single instruction on x86-64, so nothing is gathered from
// scattered places. A few filtered rows are kept in a ring; each destination
// row combines its rows down the columns and divides once per value.
//
// Exact when every column weight is below 2^15 (the pair multiply is a signed
// 16-bit one; 2 x 255 x (2^15 - 1) < 2^31) and the combined divisor D is at
// most ConstantDivider::kMaxDivisor: an axis's weights add up to its
// divisor, so a filtered row value is at most 255 times the column divisor,
// and a column of them at most 255 D < 2^32.
class PairedTapFilter {
public:
    // Whether the filters meet the bounds above and need at most
    // kMaxRingRows filtered rows at a time.
    static bool Suits(const AxisFilter& columns, const AxisFilter& rows);

    PairedTapFilter(const AxisFilter& columns, const AxisFilter& rows);

    // `destination` and `source` are 24-bit, of the filters' sizes.
    void Run(Bitmap& destination, const Bitmap& source, KernelLevel level) const;

    // What the row kernels read: for destination pixel k (padded with empty
    // pixels to a multiple of kPixelBlock), the byte offset of its first
    // source pixel, and for each tap pair eight 16-bit weights: the pair's
    // two weights three times, for the three channels, then two zeros. The
    // weights run block by block of kPixelBlock pixels, within a block pair by
    // pair, so a kernel reads them in order: pixel k's pair p is at
    // weights[8 * ((k / kPixelBlock * pairs + p) * kPixelBlock + k % kPixelBlock)].
    struct ColumnPairs {
        const std::int32_t* starts;
        const std::int16_t* weights;
        std::size_t pixels;
        std::size_t pairs;
    };

    // The widest row kernel handles this many destination pixels at once.
    static constexpr std::size_t kPixelBlock = 4;
    // Bounds the ring of filtered rows to a few rows' worth of memory; a
    // picture shrunk more than about 30 times in height takes the gathering
    // loops, which keep one row of sums.
    static constexpr std::int64_t kMaxRingRows = 32;

private:
    // The values of a filtered row with room for the kernels' whole vectors:
    // the row kernels store four values per pixel, the column kernels read
    // sixteen at a time.
    std::size_t RowValues() const { return (3 * paddedPixels_ + 4 + 15) / 16 * 16; }

    AxisFilter rows_;
    std::size_t pixels_ = 0;
    std::size_t paddedPixels_ = 0;
    std::size_t pairs_ = 0;
    std::size_t sourceBytes_ = 0;
    // Bytes from a row's start that the row kernels may read; rows closer than
    // this to the end of the source's pixels are copied into padding first.
    std::size_t readBytes_ = 0;
    std::vector<std::int32_t> starts_;
    std::vector<std::int16_t> weights_;
    ConstantDivider divide_;
};

}  // namespace velmora
