#include "content/PictureFit.h"

#include <algorithm>
#include <cmath>

#include "graphics/CoveragePicture.h"

namespace velmora {

namespace {

constexpr PictureUse kAllUses[] = {PictureUse::SoundMarker, PictureUse::Group, PictureUse::TitleEntry, PictureUse::Item,
                                   PictureUse::HelpPage};

// The scale that makes `size` fit `box` (never above 1).
double FitScale(PictureSize size, PictureBox box)
{
    double scale = 1.0;
    if (box.width > 0 && size.width > box.width)
        scale = std::min(scale, static_cast<double>(box.width) / size.width);
    if (box.height > 0 && size.height > box.height)
        scale = std::min(scale, static_cast<double>(box.height) / size.height);
    return scale;
}

std::int32_t ScaledSide(std::int32_t side, double scale)
{
    return std::max<std::int32_t>(1, static_cast<std::int32_t>(std::floor(side * scale + 0.5)));
}

PictureSize Scaled(PictureSize size, double scale)
{
    if (scale >= 1.0)
        return size;
    return {ScaledSide(size.width, scale), ScaledSide(size.height, scale)};
}

// The largest scale at which any of the uses shows the picture whole.
double LargestFitScale(PictureSize size, PictureUses uses)
{
    double scale = 0.0;
    bool any = false;
    for (const PictureUse use : kAllUses) {
        if ((uses & UseBit(use)) == 0)
            continue;
        scale = std::max(scale, FitScale(size, LargestShown(use)));
        any = true;
    }
    return any ? scale : 1.0;
}

}  // namespace

PictureBox LargestShown(PictureUse use)
{
    switch (use) {
    case PictureUse::SoundMarker: return {72, 72};
    case PictureUse::Group: return {502, 144};
    case PictureUse::TitleEntry: return {280, 66};
    case PictureUse::Item: return {436, 436};
    case PictureUse::HelpPage: return {1200, 0};
    }
    return {};
}

std::string_view PictureUseName(PictureUse use)
{
    switch (use) {
    case PictureUse::SoundMarker: return "sound marker";
    case PictureUse::Group: return "group picture";
    case PictureUse::TitleEntry: return "title entry";
    case PictureUse::Item: return "item picture";
    case PictureUse::HelpPage: return "help page";
    }
    return "picture";
}

bool LargerThanShown(PictureSize size, PictureUses uses)
{
    return uses != 0 && LargestFitScale(size, uses) < 1.0;
}

PictureSize FittingSize(PictureSize size, PictureUses uses)
{
    PictureSize fitted = Scaled(size, LargestFitScale(size, uses));
    // Rounding may leave a side one over the packed format's limits.
    while (fitted.width > CoveragePicture::kMaxDimension || fitted.height > CoveragePicture::kMaxDimension ||
           static_cast<std::int64_t>(fitted.width) * fitted.height > CoveragePicture::kMaxPixels) {
        const double pixels = static_cast<double>(fitted.width) * fitted.height;
        double scale = std::sqrt(static_cast<double>(CoveragePicture::kMaxPixels) / pixels);
        scale = std::min({scale, static_cast<double>(CoveragePicture::kMaxDimension) / fitted.width,
                          static_cast<double>(CoveragePicture::kMaxDimension) / fitted.height});
        fitted = {std::max<std::int32_t>(1, static_cast<std::int32_t>(fitted.width * scale)),
                  std::max<std::int32_t>(1, static_cast<std::int32_t>(fitted.height * scale))};
    }
    return fitted;
}

}  // namespace velmora
