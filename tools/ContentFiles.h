#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::tool {

// The files of a content directory, or of the ordinary files an author
// keeps it as, walked for export and build.

// What lies below a root: every regular file (or link to one) and every
// folder, as paths relative to the root, in name order.
struct FileTree {
    std::vector<std::filesystem::path> files;
    std::vector<std::filesystem::path> folders;
};

// False, with a message naming it, for anything that is neither a regular
// file nor a folder (a named pipe, a device, a broken link) or a folder that
// cannot be read. Links to folders are not followed.
bool ListFileTree(const std::filesystem::path& root, FileTree& tree, std::string& error);

// The content folder a relative path lies in (at any depth below it), the
// letter case of "Data", "gra" and "sou" ignored as the program ignores it.
enum class ContentFolder { Other, Pictures, Clips };
ContentFolder FolderOf(const std::filesystem::path& relative);

// The extension of a file name in lower case ASCII, without its dot.
std::string LowerExtension(const std::filesystem::path& name);

// True when the (lower case) extension names a picture format Qt reads.
bool IsPictureExtension(std::string_view extension);

// `relative` with its extension replaced by `extension` (with its dot).
std::filesystem::path WithExtension(const std::filesystem::path& relative, std::string_view extension);

// Reads a whole regular file; false with a message naming it.
bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes, std::string& error);

}  // namespace velmora::tool
