#include "core/ContentResolver.h"

#include <dirent.h>
#include <limits.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

#include "core/ContentName.h"
#include "core/FileStream.h"
#include "core/TextEncoding.h"

namespace velmora {

namespace {

bool PathExists(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

// Appends one component; the path grows in place, so a path of many
// components is built in time linear in its length.
void AppendComponent(std::string& path, const std::string& name)
{
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += name;
}

}  // namespace

std::string ContentResolver::Resolve(const std::string& contentPath)
{
    if (HasControlByte(contentPath))
        return {};
    std::string path = Cp1250ToUtf8(contentPath);
    std::replace(path.begin(), path.end(), '\\', '/');
    // The system opens no path this long, whatever its letter case.
    if (path.empty() || path.size() >= PATH_MAX || PathExists(path))
        return path;

    std::string resolved = path.front() == '/' ? "/" : "";
    resolved.reserve(path.size() + 1);
    std::size_t start = 0;
    for (;;) {
        const std::size_t slash = path.find('/', start);
        const std::string part = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (part == "." || part == "..") {
            AppendComponent(resolved, part);
        } else if (!part.empty()) {
            const std::size_t before = resolved.size();
            AppendComponent(resolved, part);
            if (!PathExists(resolved)) {
                resolved.resize(before);
                const std::string& match = FindEntryIgnoringCase(resolved, part);
                if (match.empty())
                    return path;
                AppendComponent(resolved, match);
            }
        }
        if (slash == std::string::npos)
            break;
        start = slash + 1;
    }
    return resolved;
}

bool ContentResolver::FileExists(const std::string& contentPath)
{
    return IsExistingFile(Resolve(contentPath));
}

const std::string& ContentResolver::FindEntryIgnoringCase(const std::string& directory, const std::string& name)
{
    static const std::string kNone;
    const Listing& listing = ListFolder(directory);
    const auto found = listing.find(FoldedName(name));
    return found == listing.end() ? kNone : found->second;
}

const ContentResolver::Listing& ContentResolver::ListFolder(const std::string& directory)
{
    const auto [place, fresh] = folders_.try_emplace(directory);
    Listing& listing = place->second;
    if (!fresh)
        return listing;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(directory.empty() ? "." : directory.c_str()), ::closedir);
    if (!dir)
        return listing;
    while (const dirent* entry = ::readdir(dir.get())) {
        std::string candidate = entry->d_name;
        // Several matches ("A.tbb" and "a.tbb") are resolved the same way on
        // every run: the smallest name in byte order wins.
        auto [match, added] = listing.try_emplace(FoldedName(candidate), candidate);
        if (!added && candidate < match->second)
            match->second = std::move(candidate);
    }
    return listing;
}

}  // namespace velmora
