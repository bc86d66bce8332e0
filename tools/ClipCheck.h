#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::tool {

// What keeps a clip file from playing, or the empty text when it plays:
// the file is unscrambled, its chunks checked, and its sound decoded and
// converted as the program's audio output does.
std::string ClipProblem(std::vector<std::uint8_t> clip);

}  // namespace velmora::tool
