#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "content/FileStamp.h"

namespace velmora {

// The pictures of one content folder that passed the load's check, each with
// its file's stamp at the time and the size the check found, kept from one
// start to the next so that a file whose stamp has not changed since need
// not be read to be checked again. It is a cache: a record that is missing,
// short, corrupt, of another version or in any way unsound is ignored as a
// whole, and one that cannot be written is not written.
//
// A file changed twice within the timestamps' granularity could keep its
// stamp through the second change, so a file whose inode changed less than
// kRacyNs before the check began is not recorded: a later load, when the
// file is older, records it.
//
// During a load, Trusted may be called from several threads at once, Keep
// from one at a time; what was kept is what the next start trusts.
class PictureCheckRecord {
public:
    // Raised whenever the rules of the picture check or the layout of the
    // record change: a record of another version is ignored.
    static constexpr std::uint32_t kVersion = 1;
    static constexpr std::int64_t kRacyNs = 2'000'000'000;
    static constexpr std::size_t kMaxFileBytes = std::size_t{64} << 20;

    struct PictureSize {
        std::int32_t width = 0;
        std::int32_t height = 0;
        bool operator==(const PictureSize&) const = default;
    };

    // An empty record for a load whose checks begin at `checkTimeNs`,
    // nanoseconds since the epoch on the clock the file system stamps by.
    explicit PictureCheckRecord(std::int64_t checkTimeNs = SystemTimeNs());

    // Takes the record stored in `file`, or in `bytes`, in place of what the
    // record held; nothing when it is missing or not wholly sound.
    void Read(const std::string& file);
    void Parse(const std::uint8_t* bytes, std::size_t size);

    // The size the file at `path` was checked at, when it was recorded with
    // this very stamp.
    std::optional<PictureSize> Trusted(const std::string& path, const FileStamp& stamp) const;
    // Keeps `path`, which passed the check at `size` with `stamp` the same
    // before and after it was read, for the next start; unless it changed
    // too shortly before the check began.
    void Keep(const std::string& path, const FileStamp& stamp, PictureSize size);

    // True when what was kept differs from what was read.
    bool Changed() const { return kept_ != read_; }
    // What was kept, as it is stored.
    std::vector<std::uint8_t> Serialise() const;
    // Stores what was kept in `file` in one step (written beside it, then
    // renamed over it), creating its folder. False when that failed.
    bool Write(const std::string& file) const;

    static std::int64_t SystemTimeNs();

private:
    struct Entry {
        FileStamp stamp;
        std::int64_t checkedNs = 0;
        PictureSize size;
        bool operator==(const Entry&) const = default;
    };
    using Entries = std::unordered_map<std::string, Entry>;

    static bool IsRacy(const FileStamp& stamp, std::int64_t checkedNs);
    static bool IsSound(const Entry& entry);
    static std::optional<Entries> Decode(const std::uint8_t* bytes, std::size_t size);

    std::int64_t checkTimeNs_;
    Entries read_;
    Entries kept_;
};

}  // namespace velmora
