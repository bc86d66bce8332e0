#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "content/PictureDecoding.h"
#include "graphics/Bitmap.h"
#include "graphics/CoveragePicture.h"

namespace velmora {

class PictureStore;

// Flag bits of an item.
inline constexpr std::uint8_t kHasPicture = 1;      // Load reads its picture, the Prepare operations render it
inline constexpr std::uint8_t kHasSound = 2;        // has a sound clip: the marker is drawn and plays it
inline constexpr std::uint8_t kIndented = 4;        // a menu group shown as an indented, lower tile
inline constexpr std::uint8_t kInPresentation = 8;  // belongs to the phonetic-alphabet presentation

// What an operation applies to: the item alone, the item and its whole
// subtree, or only the children's subtrees.
enum class Scope : std::uint8_t { Self, Tree, Children };

// One content entry: a caption, the base file name of its picture and clip,
// the decoded picture, the prepared (scaled, rendered) bitmap and the child
// items it owns. Names are kept as the content file's Windows-1250 bytes.
class ContentItem {
public:
    ContentItem() = default;
    virtual ~ContentItem();
    ContentItem(const ContentItem&) = delete;
    ContentItem& operator=(const ContentItem&) = delete;

    // Loads the picture "Data\gra\<fileName>.tbb" (when kHasPicture is set)
    // and inverts it; true when every picture in the scope loaded. Items
    // that name the same file share one picture from `pictures`; the other
    // form uses a store of its own for the call. An item's pixels are
    // decoded the first time it is drawn, unless the override says else.
    bool Load(Scope scope);
    virtual bool Load(Scope scope, PictureStore& pictures);
    // Load, with the pixels of every picture in the scope decoded as
    // `decoding` says.
    bool Load(Scope scope, PictureStore& pictures, PictureDecoding decoding);

    // Display preparation. `prepared` is true only while `bitmap` holds the
    // picture rendered at the current width x height.

    // Clears `prepared`; the bitmap stays.
    virtual void Invalidate(Scope scope);
    // The display size: the picture's size times `scale`, rounded half up.
    // A size change clears `prepared`.
    virtual void SetScale(Scope scope, float scale);
    // Renders the picture in grey and resamples it into `bitmap` at the
    // display size times `pixelRatio` (items with kHasPicture only), always,
    // prepared or not.
    virtual void Prepare(Scope scope);
    // As Prepare, with background (0) in `colour0` and ink (255) in `colour255`.
    virtual void PrepareTwoColour(Colour colour0, Colour colour255, Scope scope);
    // Reduces an existing `bitmap` to 8-bit grey; `prepared` stays.
    virtual void ConvertBitmapToGrey(Scope scope);

    // Appends and takes ownership; a null pointer is ignored.
    void AddChild(std::unique_ptr<ContentItem> item);
    int ChildCount() const { return static_cast<int>(children.size()); }
    // Bounds-checked: an index outside 0 .. count - 1 throws std::out_of_range.
    ContentItem* ChildAt(int index) const;

    // The content paths of the item's picture, clip and presentation page.
    std::string PicturePath() const;
    std::string ClipPath() const;
    std::string PagePath() const;

    // The decoded picture, or an empty one before it is loaded.
    const CoveragePicture& Picture() const;

    std::string name;
    std::string fileName;
    // The decoded, inverted picture, shared with every item that names the
    // same file and never changed once loaded; null until loaded.
    std::shared_ptr<const CoveragePicture> image;
    std::uint8_t flags = 0;
    std::unique_ptr<Bitmap> bitmap;
    bool prepared = false;
    // The display size, in the window's (logical) pixels.
    std::int32_t width = 0;
    std::int32_t height = 0;
    // Device pixels per display pixel that this item's bitmap is prepared at:
    // on a screen of twice the density the picture is resampled from its
    // source at twice the size, not enlarged afterwards.
    float pixelRatio = 1.0f;
    std::int32_t value = 0;
    std::vector<std::unique_ptr<ContentItem>> children;

private:
    // Runs `own` for the item when the scope includes it, then `child` for
    // each child when the scope reaches them, with the scope each child's
    // own operation gets.
    template <typename OwnPart, typename ChildPart>
    void ForScope(Scope scope, OwnPart own, ChildPart child);

    // Resamples `picture` into `bitmap` at the display size.
    void Render(std::unique_ptr<Bitmap> picture);
};

}  // namespace velmora
