#include "content/ContentItem.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>

#include "core/ContentPath.h"
#include "graphics/ToneCurve.h"
#include "graphics/Resample.h"

namespace velmora {

// Members go in reverse order of declaration: the children (through their
// virtual destructors) before the item's own bitmap, picture and names.
ContentItem::~ContentItem() = default;

bool ContentItem::Load(Scope scope)
{
    bool result = true;
    if (scope != Scope::Children && (flags & kHasPicture) != 0) {
        if (image.LoadFromFile(ResolveContentPath(PicturePath())))
            image.Invert();
        else
            result = false;
    }
    if (scope == Scope::Self)
        return result;
    for (const auto& child : children) {
        if (!child->Load(Scope::Tree))
            result = false;
    }
    return result;
}

void ContentItem::Invalidate(Scope scope)
{
    if (scope != Scope::Children)
        prepared = false;
    if (scope != Scope::Self)
        for (const auto& child : children)
            child->Invalidate(Scope::Tree);
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
    if (scope != Scope::Children) {
        const std::int32_t w = ScaledSize(image.Width(), scale);
        const std::int32_t h = ScaledSize(image.Height(), scale);
        if (w != width || h != height)
            prepared = false;
        width = w;
        height = h;
    }
    if (scope != Scope::Self)
        for (const auto& child : children)
            child->SetScale(Scope::Tree, scale);
}

void ContentItem::Render(std::unique_ptr<Bitmap> picture)
{
    PrepareBitmap24(bitmap, width, height);
    StretchBitmap(bitmap.get(), picture.get());
    prepared = true;
}

void ContentItem::Prepare(Scope scope)
{
    if (scope != Scope::Children && (flags & kHasPicture) != 0)
        Render(image.CreateGreyBitmap());
    if (scope != Scope::Self)
        for (const auto& child : children)
            child->Prepare(Scope::Tree);
}

void ContentItem::PrepareTwoColour(Colour first, Colour second, Scope scope)
{
    if (scope != Scope::Children && (flags & kHasPicture) != 0)
        Render(image.CreateTwoColourBitmap(first, second));
    if (scope != Scope::Self)
        for (const auto& child : children)
            child->PrepareTwoColour(first, second, Scope::Tree);
}

void ContentItem::ConvertBitmapToGrey(Scope scope)
{
    if (scope != Scope::Children)
        ConvertToGrey8(bitmap);
    if (scope != Scope::Self)
        for (const auto& child : children)
            child->ConvertBitmapToGrey(Scope::Tree);
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
    return "Data\\gra\\" + fileName + ".tbb";
}

}  // namespace velmora
