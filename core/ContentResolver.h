#pragma once

#include <string>
#include <unordered_map>

namespace velmora {

// Resolves content paths as ResolveContentPath does, but reads each folder
// it has to search at most once and keeps its names, looked up by their
// folded case. The listings go stale when the folders change, so a resolver
// lives for one load of the content and no longer.
class ContentResolver {
public:
    ContentResolver() = default;
    ContentResolver(const ContentResolver&) = delete;
    ContentResolver& operator=(const ContentResolver&) = delete;

    // The Linux path of the content path (see ResolveContentPath).
    std::string Resolve(const std::string& contentPath);
    // True when the content path names a regular file or a link to one.
    bool FileExists(const std::string& contentPath);

private:
    // Folded name -> the entry that wins among those that fold to it.
    using Listing = std::unordered_map<std::u32string, std::string>;

    // The entry of `directory` matching `name` ignoring case; empty when none.
    const std::string& FindEntryIgnoringCase(const std::string& directory, const std::string& name);
    const Listing& ListFolder(const std::string& directory);

    std::unordered_map<std::string, Listing> folders_;
};

}  // namespace velmora
