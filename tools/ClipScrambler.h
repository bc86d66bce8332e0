#pragma once

#include <cstdint>
#include <vector>

namespace velmora::tool {

// Scrambles a WAVE image into the clip file format the program plays: the
// first four bytes become "riff" and the words after them (up to 100) are
// XORed with their index plus the clip key. False, and `clip` unchanged,
// when it is shorter than 44 bytes or does not begin with "RIFF": the
// program would play such a file as stored, so it cannot be scrambled.
bool ScrambleClip(std::vector<std::uint8_t>& clip);

}  // namespace velmora::tool
