#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <optional>
#include <unordered_map>

#include "content/ContentFailure.h"
#include "core/ContentResolver.h"
#include "core/LoadError.h"
#include "graphics/CoveragePicture.h"

namespace velmora {

// The pictures of one load of the content. Each file is decoded and
// inverted once, however many items name it, and handed out as one shared,
// immutable picture; the items keep it alive after the store is gone. The
// decoded pixels of all distinct pictures stay within a budget: a picture
// that would take them past it is refused, as is every later one that is
// not already held. Failures are remembered too, so a missing or broken file
// named many times is looked at once.
class PictureStore {
public:
    static constexpr std::uint64_t kDefaultBudget = std::uint64_t{1} << 30;  // 1 GiB

    explicit PictureStore(ContentResolver& resolver, std::uint64_t budgetBytes = kDefaultBudget)
        : resolver_(resolver), budget_(budgetBytes)
    {
    }
    PictureStore(const PictureStore&) = delete;
    PictureStore& operator=(const PictureStore&) = delete;

    // The picture at `contentPath`, and whether it loaded: `error` (when
    // given) receives the reason of a failure. A picture that fails to decode
    // is handed out as the decoder left it (its header's size, the pixels
    // read so far); one that is missing, unreadable or over the budget is null.
    std::shared_ptr<const CoveragePicture> Load(const std::string& contentPath, LoadError* error = nullptr);

    // Bytes of decoded pixels held by the distinct pictures handed out.
    std::uint64_t UsedBytes() const { return used_; }
    std::uint64_t BudgetBytes() const { return budget_; }
    // The first picture refused (its path as resolved, or as the content
    // names it, in UTF-8, when it names no file) and why; empty while none was.
    const std::optional<ContentFailure>& FirstFailure() const { return firstFailure_; }

private:
    struct Entry {
        std::shared_ptr<const CoveragePicture> picture;
        LoadError error = LoadError::None;
    };

    Entry Decode(const std::string& path);

    ContentResolver& resolver_;
    std::uint64_t budget_;
    std::uint64_t used_ = 0;
    std::unordered_map<std::string, const Entry*> byContentPath_;
    std::unordered_map<std::string, Entry> byResolvedPath_;
    std::optional<ContentFailure> firstFailure_;
};

}  // namespace velmora
