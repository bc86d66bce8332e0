#pragma once

#include <cstdint>
#include <vector>

#include "graphics/CoveragePicture.h"

namespace velmora::tool {

// Packs the picture into a "TBBs" file image: literal codes, and a run code
// wherever kMinRun or more equal seven-bit values follow each other (two
// bytes for up to kMaxRun pixels).
std::vector<std::uint8_t> PackTbb(const CoveragePicture& image);

}  // namespace velmora::tool
