#include "content/Cfonetitem.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>

#include "core/Contentpath.h"
#include "graphics/Ctransbitmap.h"
#include "graphics/Stretchbitmap.h"

namespace velmora {

// Members go in reverse order of declaration: the children (through their
// virtual destructors) before the item's own bitmap, picture and names.
CFonetItem::~CFonetItem() = default;

bool CFonetItem::Load(TScope scope)
{
    bool result = true;
    if (scope != scopeChildren && (flags & ifPicture) != 0) {
        if (image.LoadFromFile(ResolveContentPath(PicturePath())))
            image.Invert();
        else
            result = false;
    }
    if (scope == scopeSelf)
        return result;
    for (const auto& child : children) {
        if (!child->Load(scopeTree))
            result = false;
    }
    return result;
}

void CFonetItem::Invalidate(TScope scope)
{
    if (scope != scopeChildren)
        prepared = false;
    if (scope != scopeSelf)
        for (const auto& child : children)
            child->Invalidate(scopeTree);
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

void CFonetItem::SetScale(TScope scope, float scale)
{
    if (scope != scopeChildren) {
        const std::int32_t w = ScaledSize(image.Width(), scale);
        const std::int32_t h = ScaledSize(image.Height(), scale);
        if (w != width || h != height)
            prepared = false;
        width = w;
        height = h;
    }
    if (scope != scopeSelf)
        for (const auto& child : children)
            child->SetScale(scopeTree, scale);
}

void CFonetItem::Render(std::unique_ptr<TBitmap> picture)
{
    PrepareBitmap24(bitmap, width, height);
    StretchBitmap(bitmap.get(), picture.get());
    prepared = true;
}

void CFonetItem::Prepare(TScope scope)
{
    if (scope != scopeChildren && (flags & ifPicture) != 0)
        Render(image.CreateGreyBitmap());
    if (scope != scopeSelf)
        for (const auto& child : children)
            child->Prepare(scopeTree);
}

void CFonetItem::PrepareTwoColour(TColor first, TColor second, TScope scope)
{
    if (scope != scopeChildren && (flags & ifPicture) != 0)
        Render(image.CreateTwoColourBitmap(first, second));
    if (scope != scopeSelf)
        for (const auto& child : children)
            child->PrepareTwoColour(first, second, scopeTree);
}

void CFonetItem::ConvertBitmapToGrey(TScope scope)
{
    if (scope != scopeChildren)
        ConvertToGrey8(bitmap);
    if (scope != scopeSelf)
        for (const auto& child : children)
            child->ConvertBitmapToGrey(scopeTree);
}

void CFonetItem::AddChild(std::unique_ptr<CFonetItem> item)
{
    if (item)
        children.push_back(std::move(item));
}

CFonetItem* CFonetItem::ChildAt(int index) const
{
    if (index < 0 || index >= ChildCount())
        throw std::out_of_range("child index out of range");
    return children[static_cast<std::size_t>(index)].get();
}

std::string CFonetItem::PicturePath() const
{
    return "Data\\gra\\" + fileName + ".tbb";
}

}  // namespace velmora
