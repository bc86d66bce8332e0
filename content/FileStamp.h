#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

// What the file system says of a file without reading it: which file it is
// (device and inode), its size, and when its bytes and its inode last
// changed, in nanoseconds since the epoch. A file with the same stamp as
// before holds the same bytes, unless it was changed twice within the
// timestamps' granularity: whoever trusts a stamp must allow for that.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;

    // The stamp of the file at `path`, links followed; none when the file
    // system does not give it.
    static std::optional<FileStamp> Of(const std::string& path);

    bool operator==(const FileStamp&) const = default;
};

}  // namespace velmora
