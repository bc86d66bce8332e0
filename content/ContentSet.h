#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "content/ContentError.h"
#include "content/ContentItem.h"
#include "content/ContentParseReport.h"
#include "content/MenuGroup.h"
#include "content/PictureStore.h"
#include "core/MemoryStream.h"

namespace velmora {

// All exercise content read from "menl.dat": the menu groups with their
// items, the help pages and the phonetic-alphabet presentation. Owns every
// item reachable from its members.
class ContentSet {
public:
    static constexpr std::size_t kMaxFileSize = 204800;  // 200 KB

    ContentSet() = default;
    ~ContentSet();
    ContentSet(const ContentSet&) = delete;
    ContentSet& operator=(const ContentSet&) = delete;

    // `fileName` is a content path (resolved like every other one). Throws
    // ContentError when the file cannot be read or its format is wrong.
    // `report`, when given, receives where reading stopped; it is filled
    // also when the header is refused.
    void LoadFromFile(const std::string& fileName, ContentParseReport* report = nullptr);
    void LoadFromStream(const MemoryStream& stream, ContentParseReport* report = nullptr);
    // Loads every picture of the groups and help pages and clears the sound
    // mark of items whose clip is missing; true only if every picture loaded.
    // Items naming the same file share its picture, and the distinct
    // pictures' pixels must fit in `pictureBudget` bytes: a content set
    // past it fails to load. `firstFailure`, when given, receives the first
    // picture that failed. With a `record` of earlier checks, pictures it
    // holds unchanged are not read, and it keeps every one that passes.
    bool LoadResources(std::uint64_t pictureBudget = PictureStore::kDefaultBudget,
                       ContentFailure* firstFailure = nullptr, PictureCheckRecord* record = nullptr);

    void ClearMenuItems();
    void AddMenuItem(std::unique_ptr<MenuGroup> item);
    std::int32_t MenuItemCount() const { return static_cast<std::int32_t>(menuItems.size()); }
    // Throws std::out_of_range for an index outside 0 .. count - 1.
    MenuGroup* MenuItemAt(std::int32_t index) const;

    std::vector<std::unique_ptr<MenuGroup>> menuItems;
    std::int32_t selectedMenuItem = -1;
    ContentItem helpPages;
    MenuGroup presentation;

private:
    // Loads the pictures of the groups and the help pages from `pictures`.
    bool LoadPictures(PictureStore& pictures);
};

// A help page's number: an optionally signed decimal integer; 0 when the
// text is not one or does not fit in 32 bits.
std::int32_t ParseContentNumber(std::string_view text);

}  // namespace velmora
