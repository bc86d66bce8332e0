#include "tools/StagedDirectory.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <system_error>

namespace velmora::tool {

namespace fs = std::filesystem;

namespace {

// A new, empty, hidden folder beside `target`.
bool MakeSibling(const fs::path& target, const char* purpose, fs::path& made, std::string& error)
{
    const fs::path parent = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    // Built by appending: "." + std::string trips GCC 12's false -Wrestrict.
    std::string name(".");
    name += target.filename().string();
    name += '.';
    name += purpose;
    name += "-XXXXXX";
    std::string pattern = (parent / name).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        error = "cannot write in " + parent.string() + ": " + std::strerror(errno);
        return false;
    }
    made = pattern;
    return true;
}

bool IsEmptyFolder(const fs::path& path)
{
    std::error_code code;
    return fs::is_empty(path, code) && !code;
}

}  // namespace

StagedDirectory::~StagedDirectory()
{
    if (!staging_.empty()) {
        std::error_code ignored;
        fs::remove_all(staging_, ignored);
    }
}

bool StagedDirectory::Begin(const fs::path& target, bool replace, std::string& error)
{
    // A trailing slash would leave the file name empty.
    target_ = target.has_filename() ? target : target.parent_path();
    std::error_code code;
    const fs::file_status status = fs::symlink_status(target_, code);
    if (fs::exists(status)) {
        if (!fs::is_directory(status)) {
            error = target_.string() + " exists and is not a folder";
            return false;
        }
        if (!replace && !IsEmptyFolder(target_)) {
            error = target_.string() + " is not empty (--force replaces it)";
            return false;
        }
    }
    // Missing parents are made, as mkdir -p makes them.
    if (!target_.parent_path().empty())
        fs::create_directories(target_.parent_path(), code);
    return MakeSibling(target_, "new", staging_, error);
}

bool StagedDirectory::Commit(std::string& error)
{
    std::error_code code;
    fs::path old;
    if (fs::exists(fs::symlink_status(target_, code))) {
        if (!MakeSibling(target_, "old", old, error))
            return false;
        fs::rename(target_, old, code);
        if (code) {
            error = "cannot replace " + target_.string() + ": " + code.message();
            fs::remove(old, code);
            return false;
        }
    }
    fs::rename(staging_, target_, code);
    if (code) {
        error = "cannot write " + target_.string() + ": " + code.message();
        if (!old.empty())
            fs::rename(old, target_, code);
        return false;
    }
    staging_.clear();
    if (!old.empty())
        fs::remove_all(old, code);
    return true;
}

bool FoldersOverlap(const fs::path& a, const fs::path& b)
{
    std::error_code code;
    const fs::path first = fs::weakly_canonical(fs::absolute(a), code);
    const fs::path second = fs::weakly_canonical(fs::absolute(b), code);
    const auto inside = [](const fs::path& inner, const fs::path& outer) {
        auto o = outer.begin();
        auto i = inner.begin();
        for (; o != outer.end() && !o->empty(); ++o, ++i) {
            if (i == inner.end() || *i != *o)
                return false;
        }
        return true;
    };
    return inside(first, second) || inside(second, first);
}

}  // namespace velmora::tool
