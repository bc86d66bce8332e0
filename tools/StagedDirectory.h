#pragma once

#include <filesystem>
#include <string>

namespace velmora::tool {

// An output folder written whole or not at all: everything goes into a
// hidden folder beside the target, which takes the target's place only
// when complete. Until then, and whenever the work fails, the target stays
// as it was; the hidden folder is removed unless committed.
class StagedDirectory {
public:
    StagedDirectory() = default;
    ~StagedDirectory();
    StagedDirectory(const StagedDirectory&) = delete;
    StagedDirectory& operator=(const StagedDirectory&) = delete;

    // Refuses a target that is a file, or a folder with anything in it
    // unless `replace` is set; then creates the hidden folder (and the
    // target's missing parents).
    bool Begin(const std::filesystem::path& target, bool replace, std::string& error);

    // Where the output is written meanwhile.
    const std::filesystem::path& Path() const { return staging_; }

    // Puts the output in the target's place (the old target, if any, is
    // moved aside first and removed after).
    bool Commit(std::string& error);

private:
    std::filesystem::path target_;
    std::filesystem::path staging_;
};

// True when `a` and `b` are the same folder or one lies inside the other
// (`b` need not exist yet).
bool FoldersOverlap(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace velmora::tool
