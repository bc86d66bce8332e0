#include "tools/ContentFiles.h"

#include <QByteArray>
#include <QImageReader>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <system_error>

#include "content/ContentLayout.h"
#include "core/ContentName.h"

namespace velmora::tool {

namespace fs = std::filesystem;

bool ListFileTree(const fs::path& root, FileTree& tree, std::string& error)
{
    std::error_code code;
    fs::recursive_directory_iterator walk(root, code);
    for (; !code && walk != fs::recursive_directory_iterator(); walk.increment(code)) {
        const fs::path relative = walk->path().lexically_relative(root);
        const fs::file_status link = walk->symlink_status(code);
        if (code)
            break;
        if (fs::is_directory(link)) {
            tree.folders.push_back(relative);
            continue;
        }
        if (fs::is_regular_file(walk->status(code)) && !code) {
            tree.files.push_back(relative);
            continue;
        }
        error = walk->path().string() + ": not a regular file or a folder";
        return false;
    }
    if (code) {
        error = (walk == fs::recursive_directory_iterator() ? root : walk->path()).string() + ": " + code.message();
        return false;
    }
    std::sort(tree.files.begin(), tree.files.end());
    std::sort(tree.folders.begin(), tree.folders.end());
    return true;
}

ContentFolder FolderOf(const fs::path& relative)
{
    auto part = relative.begin();
    if (part == relative.end() || !SameNameIgnoringCase(part->string(), std::string(kDataFolder)))
        return ContentFolder::Other;
    if (++part == relative.end() || std::next(part) == relative.end())
        return ContentFolder::Other;
    if (SameNameIgnoringCase(part->string(), std::string(kPictureFolder)))
        return ContentFolder::Pictures;
    if (SameNameIgnoringCase(part->string(), std::string(kClipFolder)))
        return ContentFolder::Clips;
    return ContentFolder::Other;
}

std::string LowerExtension(const fs::path& name)
{
    std::string extension = name.extension().string();
    if (!extension.empty())
        extension.erase(0, 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return extension;
}

bool IsPictureExtension(std::string_view extension)
{
    static const std::set<std::string, std::less<>> formats = [] {
        std::set<std::string, std::less<>> names;
        for (const QByteArray& format : QImageReader::supportedImageFormats())
            names.insert(format.toLower().toStdString());
        return names;
    }();
    return !extension.empty() && formats.count(extension) != 0;
}

fs::path WithExtension(const fs::path& relative, std::string_view extension)
{
    fs::path changed = relative;
    changed.replace_extension(fs::path(std::string(extension)));
    return changed;
}

bool ReadFileBytes(const fs::path& path, std::string& bytes, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    if (in && (content << in.rdbuf(), true) && !in.bad()) {
        bytes = std::move(content).str();
        return true;
    }
    error = path.string() + ": cannot be read";
    return false;
}

}  // namespace velmora::tool
