#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "content/Cfonetitem.h"
#include "content/Cfonetmenuitem.h"
#include "core/Bytestream.h"

namespace velmora {

// A content file that cannot be used; the message is the one shown to the user.
class EContentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where reading a content file stopped short of its end. The grammar has no
// errors past the header: an unexpected token ends the element being read
// and everything after it is ignored. Tools report that place.
struct TContentParseReport {
    bool stoppedEarly = false;
    std::size_t stopOffset = 0;  // byte offset of the token that ended reading
    std::string stopToken;       // that token, as its bytes stand
};

// All exercise content read from "menl.dat": the menu groups with their
// items, the help pages and the phonetic-alphabet presentation. Owns every
// item reachable from its members.
class CProgData {
public:
    static constexpr std::size_t kMaxFileSize = 204800;  // 200 KB

    CProgData() = default;
    ~CProgData();
    CProgData(const CProgData&) = delete;
    CProgData& operator=(const CProgData&) = delete;

    // `fileName` is a content path (resolved like every other one). Throws
    // EContentError when the file cannot be read or its format is wrong.
    // `report`, when given, receives where reading stopped; it is filled
    // also when the header is refused.
    void LoadFromFile(const std::string& fileName, TContentParseReport* report = nullptr);
    void LoadFromStream(const CMemoryStream& stream, TContentParseReport* report = nullptr);
    // Loads every picture of the groups and help pages and clears the sound
    // mark of items whose clip is missing; true only if every picture loaded.
    bool LoadResources();

    void ClearMenuItems();
    void AddMenuItem(std::unique_ptr<CFonetMenuItem> item);
    std::int32_t MenuItemCount() const { return static_cast<std::int32_t>(menuItems.size()); }
    // Throws std::out_of_range for an index outside 0 .. count - 1.
    CFonetMenuItem* MenuItemAt(std::int32_t index) const;

    std::vector<std::unique_ptr<CFonetMenuItem>> menuItems;
    std::int32_t selectedMenuItem = -1;
    CFonetItem helpPages;
    CFonetMenuItem presentation;
};

// A help page's number: an optionally signed decimal integer; 0 when the
// text is not one or does not fit in 32 bits.
std::int32_t ParseContentNumber(std::string_view text);

// The content path of an item's sound clip.
std::string SoundClipPath(const CFonetItem& item);

}  // namespace velmora
