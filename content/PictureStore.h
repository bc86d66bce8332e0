#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "content/ContentFailure.h"
#include "content/FileStamp.h"
#include "content/PictureCheckRecord.h"
#include "content/PictureDecoding.h"
#include "core/ContentResolver.h"
#include "core/LoadError.h"
#include "core/ReadBuffer.h"
#include "graphics/CoveragePicture.h"

namespace velmora {

// The pictures of one load of the content. Each file is decoded and
// inverted once, however many items name it, and handed out as one shared,
// immutable picture; the items keep it alive after the store is gone. A
// picture asked for on first use is only checked by the load, and decoded
// when it is first drawn, unless it fails the check or some item wants it
// at load. The pixels of all distinct pictures, decoded or still to be,
// stay within a budget: a picture that would take them past it is refused,
// as is every later one that is not already held. Failures are remembered
// too, so a missing or broken file named many times is looked at once.
//
// A load uses every core in two passes over the items: while the store is
// noting, Load only notes the file a content path names and hands out
// nothing; DecodeNoted then decodes all noted files at once, and the second
// pass gets them from Load. The budget is weighed in the order the files were
// noted, so the outcome is the one a single pass would have.
//
// Given a record of earlier checks, a picture wanted on first use whose file
// is recorded with its present stamp is taken at its recorded size without
// being read; every file that passes its check now is kept in the record.
class PictureStore {
public:
    static constexpr std::uint64_t kDefaultBudget = std::uint64_t{1} << 30;  // 1 GiB

    explicit PictureStore(ContentResolver& resolver, std::uint64_t budgetBytes = kDefaultBudget,
                          PictureCheckRecord* record = nullptr)
        : resolver_(resolver), budget_(budgetBytes), record_(record)
    {}
    PictureStore(const PictureStore&) = delete;
    PictureStore& operator=(const PictureStore&) = delete;

    // The picture at `contentPath`, and whether it loaded: `error` (when
    // given) receives the reason of a failure. A picture that fails to decode
    // is handed out as the decoder left it (its header's size, the pixels
    // read so far); one that is missing, unreadable or over the budget is null.
    // While noting: null, with no error, and the file is decoded later.
    // `decoding` says when its pixels are wanted; while noting, a file that
    // any item wants at load is decoded at load.
    std::shared_ptr<const CoveragePicture> Load(const std::string& contentPath, LoadError* error = nullptr,
                                                PictureDecoding decoding = PictureDecoding::AtLoad);

    void StartNoting() { noting_ = true; }
    // Decodes (or checks) every file noted since StartNoting, on as many
    // threads as the processor has cores, and ends the noting.
    void DecodeNoted();

    // Bytes of pixels, decoded or to be, of the distinct pictures handed out.
    std::uint64_t UsedBytes() const { return used_; }
    std::uint64_t BudgetBytes() const { return budget_; }
    // The first picture refused (its path as resolved, or as the content
    // names it, in UTF-8, when it names no file) and why; empty while none was.
    const std::optional<ContentFailure>& FirstFailure() const { return firstFailure_; }

private:
    struct Entry {
        std::shared_ptr<const CoveragePicture> picture;
        LoadError error = LoadError::None;
        // While noted: when the picture is to be decoded.
        PictureDecoding decoding = PictureDecoding::OnFirstUse;
    };
    struct Decoded {
        std::shared_ptr<CoveragePicture> picture;
        LoadError error = LoadError::None;
        // Set when the file passed the check with this stamp before and
        // after it was read, or was trusted with it.
        std::optional<FileStamp> passedAs;
    };
    struct Noted {
        std::string path;
        Entry* entry;
    };

    Decoded DecodeFile(const std::string& path, PictureDecoding decoding, ReadBuffer& buffer) const;
    Decoded CheckUnlessRecorded(const std::string& path, ReadBuffer& buffer) const;
    // Weighs a decoded picture against the budget, in the order of the loads.
    Entry Admit(const std::string& path, Decoded decoded);

    ContentResolver& resolver_;
    std::uint64_t budget_;
    std::uint64_t used_ = 0;
    PictureCheckRecord* record_;
    bool noting_ = false;
    std::vector<Noted> noted_;
    // Holds each file while it is checked, outside the noting.
    ReadBuffer buffer_;
    std::unordered_map<std::string, Entry*> byContentPath_;
    std::unordered_map<std::string, Entry> byResolvedPath_;
    std::optional<ContentFailure> firstFailure_;
};

}  // namespace velmora
