#pragma once

#include <functional>
#include <string>
#include <vector>

#include "content/ContentSet.h"
#include "content/PictureFit.h"
#include "graphics/CoveragePicture.h"

namespace velmora::tool {

// Warnings about content the program accepts but shows otherwise than its
// author most likely meant. They explain; they never fail a check.
struct Advice {
    std::string where;
    std::string what;
};

// What the content file's shape does on screen: fewer than ten groups (the
// ninth menu tile is a heading that opens the tenth group), a ninth group
// with items of its own, which are never shown, and clips of items after a
// group's first, which never play (`clipExists` tells whether an item's
// clip file is there; a file that is also a group's first clip is not
// counted).
std::vector<Advice> ContentShapeAdvice(const ContentSet& content,
                                       const std::function<bool(const ContentItem&)>& clipExists);

// What a picture looks like where it is used: larger than the program ever
// shows it there, or ink over almost all of it (a picture saved inverted,
// or a photo whose alpha was taken for ink). `loaded` is the picture as an
// item holds it once loaded: inverted, 0 full ink. Empty when all is well.
std::vector<std::string> PictureAdvice(const CoveragePicture& loaded, PictureUse use);

}  // namespace velmora::tool
