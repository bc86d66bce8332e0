#pragma once

#include "content/ContentSet.h"
#include "graphics/CoveragePicture.h"

namespace velmora {

// Everything the program reads from its content directory at start: the
// content file with its groups' and help pages' pictures, and the picture of
// the sound marker drawn on items that have a clip.
struct LoadedContent {
    ContentSet set;
    CoveragePicture soundMarker;
};

}  // namespace velmora
