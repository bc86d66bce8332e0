#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "graphics/Bitmap.h"

namespace velmora {

// Fills `destination`, at its current size, with `source` scaled by integer
// bilinear interpolation (down to half the source in both dimensions) or by
// exact area averaging (below half). Size combinations that neither method
// handles leave the destination as it was. A method that runs makes both
// bitmaps 24 bits per pixel first; null bitmaps are ignored.
void StretchBitmap(Bitmap* destination, Bitmap* source);

// Area averaging when both dimensions shrink; hands growth in both dimensions
// to StretchBitmap and leaves mixed cases (one shrinks, the other does not)
// untouched.
void ShrinkBitmap(Bitmap* destination, Bitmap* source);

// A zero-filled 24-bit bitmap; negative sizes count as 0.
std::unique_ptr<Bitmap> NewBitmap24(int width, int height);

// Makes `bitmap` a zero-filled 24-bit bitmap of the given size, reusing the
// object it holds (none of its old pixels survive) or creating one.
void PrepareBitmap24(std::unique_ptr<Bitmap>& bitmap, int width, int height);

// One destination index of an interpolation table: the source pixels `first`
// and `first + 1` weighted `weight0` and `weight1`, over `divisor`.
struct InterpolationEntry {
    std::int64_t first;
    std::int64_t weight0;
    std::int64_t weight1;
    std::int64_t divisor;

    friend bool operator==(const InterpolationEntry&, const InterpolationEntry&) = default;
};

// One destination index of an averaging table: the source pixels `first` to
// `last`, the outer two weighted `firstWeight` and `lastWeight`, every pixel
// between them weighted by the destination size.
struct AveragingEntry {
    std::int64_t first;
    std::int64_t firstWeight;
    std::int64_t last;
    std::int64_t lastWeight;

    friend bool operator==(const AveragingEntry&, const AveragingEntry&) = default;
};

// The weight tables of one axis, one entry per destination index. Entries
// are 64-bit because 2 x the destination size or the products behind them
// outgrow 32 bits on the largest bitmaps. The
// interpolation table needs a source of at least 2; the averaging table a
// source larger than the destination.
std::vector<InterpolationEntry> InterpolationTable(int sourceSize, int destinationSize);
std::vector<AveragingEntry> AveragingTable(int sourceSize, int destinationSize);

// The number type the resampling kernels accumulate in, in the order of the
// ranges of combined divisors they are exact for: float below 2^14, 32-bit
// integers below 2^24, double below 2^43, 128-bit integers beyond.
// `Automatic` picks the narrowest exact one, which is also the fastest;
// averaging takes 32-bit integers at the least, and float is no faster there.
enum class ResampleArithmetic : std::uint8_t { Automatic, Single, Integer32, Double, WideInteger };

// The two methods without the choice between them, for checking each
// arithmetic against the others. `destination` and `source` must be 24-bit;
// interpolation needs every size at least 2, averaging a source larger than
// the destination in both dimensions.
void InterpolateBitmap24(Bitmap& destination, const Bitmap& source,
                         ResampleArithmetic arithmetic = ResampleArithmetic::Automatic);
void AverageBitmap24(Bitmap& destination, const Bitmap& source,
                     ResampleArithmetic arithmetic = ResampleArithmetic::Automatic);

}  // namespace velmora
