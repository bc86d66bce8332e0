#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/Ctbytebitmap.h"
#include "graphics/TBitmap.h"

namespace velmora {

// Flag bits of an item.
enum : std::uint8_t {
    ifPicture = 1,       // has a picture: Load reads it, the Prepare operations render it
    ifSound = 2,         // has a sound clip: the marker is drawn and plays it
    ifIndented = 4,      // a menu group shown as an indented, lower tile
    ifPresentation = 8,  // belongs to the phonetic-alphabet presentation
};

// What an operation applies to: the item alone, the item and its whole
// subtree, or only the children's subtrees.
using TScope = std::uint8_t;
enum : TScope { scopeSelf = 0, scopeTree = 1, scopeChildren = 2 };

// One content entry: a caption, the base file name of its picture and clip,
// the decoded picture, the prepared (scaled, rendered) bitmap and the child
// items it owns. Names are kept as the content file's Windows-1250 bytes.
class CFonetItem {
public:
    CFonetItem() = default;
    virtual ~CFonetItem();
    CFonetItem(const CFonetItem&) = delete;
    CFonetItem& operator=(const CFonetItem&) = delete;

    // Loads the picture "Data\gra\<fileName>.tbb" (when ifPicture is set)
    // and inverts it; true when every picture in the scope loaded.
    virtual bool Load(TScope scope);

    // Display preparation. `prepared` is true only while `bitmap` holds the
    // picture rendered at the current width x height.

    // Clears `prepared`; the bitmap stays.
    virtual void Invalidate(TScope scope);
    // The display size: the picture's size times `scale`, rounded half up.
    // A size change clears `prepared`.
    virtual void SetScale(TScope scope, float scale);
    // Renders the picture in grey and resamples it into `bitmap` at the
    // display size (items with ifPicture only), always, prepared or not.
    virtual void Prepare(TScope scope);
    // As Prepare, with ink (255) in `first` and background (0) in `second`.
    virtual void PrepareTwoColour(TColor first, TColor second, TScope scope);
    // Reduces an existing `bitmap` to 8-bit grey; `prepared` stays.
    virtual void ConvertBitmapToGrey(TScope scope);

    // Appends and takes ownership; a null pointer is ignored.
    void AddChild(std::unique_ptr<CFonetItem> item);
    int ChildCount() const { return static_cast<int>(children.size()); }
    // Bounds-checked: an index outside 0 .. count - 1 throws std::out_of_range.
    CFonetItem* ChildAt(int index) const;

    // The picture's content path, as the content names it.
    std::string PicturePath() const;

    std::string name;
    std::string fileName;
    CTByteBitmap image;
    std::uint8_t flags = 0;
    std::unique_ptr<TBitmap> bitmap;
    bool prepared = false;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t value = 0;
    std::vector<std::unique_ptr<CFonetItem>> children;

private:
    // Resamples `picture` into `bitmap` at the display size.
    void Render(std::unique_ptr<TBitmap> picture);
};

}  // namespace velmora
