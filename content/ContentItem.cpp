#include "content/ContentItem.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>

#include "content/ContentLayout.h"
#include "content/PictureStore.h"
#include "core/ContentResolver.h"
#include "graphics/Resample.h"
#include "graphics/ToneCurve.h"

namespace velmora {
namespace {

// A display length in device pixels, rounded to the nearest; a ratio that
// is not a positive number counts as 1.
std::int32_t DevicePixels(std::int32_t length, float ratio)
{
    if (!(ratio > 0.0f))
        return length;
    const double pixels = std::round(static_cast<double>(length) * ratio);
    return static_cast<std::int32_t>(std::clamp(pixels, double{INT32_MIN}, double{INT32_MAX}));
}

}  // namespace

// Members go in reverse order of declaration: the children (through their
// virtual destructors) before the item's own bitmap, picture and names.
ContentItem::~ContentItem() = default;

template <typename OwnPart, typename ChildPart>
void ContentItem::ForScope(Scope scope, OwnPart own, ChildPart child)
{
    if (scope != Scope::Children)
        own();
    if (scope != Scope::Self)
        for (const auto& item : children)
            child(*item, Scope::Tree);
}

bool ContentItem::Load(Scope scope)
{
    ContentResolver resolver;
    PictureStore pictures(resolver);
    return Load(scope, pictures);
}

bool ContentItem::Load(Scope scope, PictureStore& pictures)
{
    return Load(scope, pictures, PictureDecoding::OnFirstUse);
}

bool ContentItem::Load(Scope scope, PictureStore& pictures, PictureDecoding decoding)
{
    bool result = true;
    ForScope(
        scope,
        [&] {
            if ((flags & kHasPicture) == 0)
                return;
            LoadError error = LoadError::None;
            image = pictures.Load(PicturePath(), &error, decoding);
            result = error == LoadError::None;
        },
        [&](ContentItem& item, Scope inner) { result = item.Load(inner, pictures, decoding) && result; });
    return result;
}

const CoveragePicture& ContentItem::Picture() const
{
    static const CoveragePicture kEmpty;
    return image ? *image : kEmpty;
}

void ContentItem::Invalidate(Scope scope)
{
    ForScope(
        scope, [&] { prepared = false; }, [](ContentItem& item, Scope inner) { item.Invalidate(inner); });
}

namespace {

// The whole part of size x scale + 0.5 in extended precision. Results an
// int32 cannot hold (only absurd or non-finite scales give them) saturate,
// and NaN gives 0, rather than overflowing the conversion.
std::int32_t ScaledSize(std::int32_t size, float scale)
{
    const long double scaled = static_cast<long double>(size) * scale + 0.5L;
    if (std::isnan(scaled))
        return 0;
    return static_cast<std::int32_t>(std::clamp<long double>(scaled, INT32_MIN, INT32_MAX));
}

}  // namespace

void ContentItem::SetScale(Scope scope, float scale)
{
    ForScope(
        scope,
        [&] {
            const std::int32_t w = ScaledSize(Picture().Width(), scale);
            const std::int32_t h = ScaledSize(Picture().Height(), scale);
            if (w != width || h != height)
                prepared = false;
            width = w;
            height = h;
        },
        [&](ContentItem& item, Scope inner) { item.SetScale(inner, scale); });
}

void ContentItem::Render(std::unique_ptr<Bitmap> picture)
{
    PrepareBitmap24(bitmap, DevicePixels(width, pixelRatio), DevicePixels(height, pixelRatio));
    StretchBitmap(bitmap.get(), picture.get());
    prepared = true;
}

void ContentItem::Prepare(Scope scope)
{
    ForScope(
        scope,
        [&] {
            if ((flags & kHasPicture) != 0)
                Render(Picture().CreateGreyBitmap());
        },
        [](ContentItem& item, Scope inner) { item.Prepare(inner); });
}

void ContentItem::PrepareTwoColour(Colour colour0, Colour colour255, Scope scope)
{
    ForScope(
        scope,
        [&] {
            if ((flags & kHasPicture) != 0)
                Render(Picture().CreateTwoColourBitmap(colour0, colour255));
        },
        [&](ContentItem& item, Scope inner) { item.PrepareTwoColour(colour0, colour255, inner); });
}

void ContentItem::ConvertBitmapToGrey(Scope scope)
{
    ForScope(
        scope, [&] { ConvertToGrey8(bitmap); },
        [](ContentItem& item, Scope inner) { item.ConvertBitmapToGrey(inner); });
}

void ContentItem::AddChild(std::unique_ptr<ContentItem> item)
{
    if (item)
        children.push_back(std::move(item));
}

ContentItem* ContentItem::ChildAt(int index) const
{
    if (index < 0 || index >= ChildCount())
        throw std::out_of_range("child index out of range");
    return children[static_cast<std::size_t>(index)].get();
}

std::string ContentItem::PicturePath() const
{
    return PictureContentPath(fileName);
}

std::string ContentItem::ClipPath() const
{
    return ClipContentPath(fileName);
}

std::string ContentItem::PagePath() const
{
    return PageContentPath(fileName);
}

}  // namespace velmora
