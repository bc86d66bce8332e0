#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "graphics/Bitmap.h"

namespace velmora::tool {

// Largest picture the tools read or make: a side of 100,000 pixels and
// 2^28 pixels (768 MiB of 24-bit pixels) in all.
constexpr long long kMaxPpmSide = 100000;
constexpr long long kMaxPpmPixels = 1LL << 28;

// Reads a binary PPM ("P6", maxval 255) into a 24-bit bitmap. On failure
// returns null and says why in `error`.
std::unique_ptr<Bitmap> ReadPpm(const std::string& path, std::string& error);
// The same for a PPM held in memory.
std::unique_ptr<Bitmap> DecodePpm(const std::uint8_t* data, std::size_t size, std::string& error);

// Writes the 24-bit bitmap as a binary PPM; false with `error` on failure.
bool WritePpm(const std::string& path, const Bitmap& bitmap, std::string& error);

}  // namespace velmora::tool
