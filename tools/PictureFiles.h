#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "graphics/CoveragePicture.h"

class QImage;

namespace velmora::tool {

// Ink coverage of an image: the darkness of its luminance once laid onto
// white (dark ink on a light ground, or on a transparent one, is full
// coverage).
// False, with a message, for a picture that does not fit the packed format.
bool CoverageFromImage(const QImage& image, CoveragePicture& coverage, std::string& error);

// The picture as dark ink on white, the inverse of CoverageFromImage.
QImage ImageFromCoverage(const CoveragePicture& coverage);

// The picture in a file format Qt writes ("PNG", "JPG"), in memory, so that
// writing it to its file can be checked; quality -1 is the format's default.
bool EncodeImage(const QImage& image, const char* format, int quality, std::vector<std::uint8_t>& bytes);

// Reads a PNG (or any picture Qt reads) as coverage; a picture whose header
// declares a size the packed format cannot hold is refused undecoded.
bool ReadCoverageFile(const std::string& path, CoveragePicture& coverage, std::string& error);
// The same for a picture file held in memory.
bool DecodeCoverage(const std::uint8_t* data, std::size_t size, CoveragePicture& coverage, std::string& error);

}  // namespace velmora::tool
