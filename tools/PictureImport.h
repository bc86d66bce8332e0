#pragma once

#include <string>

#include "content/PictureFit.h"
#include "graphics/CoveragePicture.h"

class QImage;

namespace velmora::tool {

// Pictures as an author makes them, turned into the content's coverage:
// any format Qt reads, any size, colour or grey, with or without alpha. The
// picture is laid onto white, so a transparent background stays background,
// and the darkness of each pixel is its ink. A picture larger than `uses`
// ever show it (see FittingSize) is reduced with the program's own
// resampling, as the program would reduce it. `original`, when given,
// receives the size the picture had.
bool ImportPicture(const std::string& path, PictureUses uses, CoveragePicture& coverage, std::string& error,
                   PictureSize* original = nullptr);
bool ImportPicture(const QImage& image, PictureUses uses, CoveragePicture& coverage, std::string& error,
                   PictureSize* original = nullptr);

}  // namespace velmora::tool
