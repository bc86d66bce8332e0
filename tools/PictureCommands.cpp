// velmora-content resample / tone: run the picture kernels on PPM files, to
// look at their results or compare them with other programs.

#include <charconv>
#include <cstdint>
#include <cstdio>

#include "graphics/Resample.h"
#include "graphics/ToneCurve.h"
#include "tools/Commands.h"
#include "tools/Ppm.h"

namespace velmora::tool {

namespace {

// The whole text as a decimal integer within [low, high].
bool ParseInteger(const std::string& text, long long low, long long high, long long& value)
{
    const char* end = text.data() + text.size();
    const auto [stop, status] = std::from_chars(text.data(), end, value);
    return status == std::errc() && stop == end && value >= low && value <= high;
}

}  // namespace

const char* const kResampleHelp = "usage: velmora-content resample IN.ppm W H OUT.ppm\n"
                                  "Scales the binary PPM (P6, maxval 255) IN.ppm into a W x H picture as the\n"
                                  "program scales its pictures (integer bilinear interpolation down to half\n"
                                  "size, exact area averaging below it) and writes it to OUT.ppm. Sizes the\n"
                                  "program does not resample give a black picture. W and H: 1 to 100000.\n";

const char* const kToneHelp = "usage: velmora-content tone AMOUNT IN.ppm OUT.ppm\n"
                              "Applies the tone curve of AMOUNT (a positive amount darkens, a negative one\n"
                              "lightens; magnitudes above 254 act as 254) to the binary PPM IN.ppm and\n"
                              "writes OUT.ppm.\n";

int RunResample(const Arguments& args)
{
    long long width = 0, height = 0;
    if (!ParseInteger(args[1], 1, kMaxPpmSide, width) || !ParseInteger(args[2], 1, kMaxPpmSide, height) ||
        width * height > kMaxPpmPixels)
        return BadArguments(kResampleHelp);

    std::string error;
    std::unique_ptr<Bitmap> source = ReadPpm(args[0], error);
    if (!source)
        return Fail("resample", error);
    const std::unique_ptr<Bitmap> destination = NewBitmap24(static_cast<int>(width), static_cast<int>(height));
    StretchBitmap(destination.get(), source.get());
    if (!WritePpm(args[3], *destination, error))
        return Fail("resample", error);
    return kExitOk;
}

int RunTone(const Arguments& args)
{
    long long amount = 0;
    if (!ParseInteger(args[0], INT32_MIN, INT32_MAX, amount))
        return BadArguments(kToneHelp);

    std::string error;
    std::unique_ptr<Bitmap> picture = ReadPpm(args[1], error);
    if (!picture)
        return Fail("tone", error);
    ApplyToneCurve(picture.get(), static_cast<std::int32_t>(amount));
    if (!WritePpm(args[2], *picture, error))
        return Fail("tone", error);
    return kExitOk;
}

}  // namespace velmora::tool
