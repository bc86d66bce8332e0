#include "core/ContentPath.h"

#include "core/TextEncoding.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace velmora {

namespace {

bool PathExists(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

// Decodes one UTF-8 character at `pos`, advancing it; a malformed byte is
// returned as itself so that it still compares only with an equal byte.
char32_t NextCodePoint(const std::string& text, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    int extra = 0;
    char32_t code = lead;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        code = lead & 0x07;
    }
    if (pos + extra >= text.size() && extra > 0) {
        ++pos;
        return 0x110000u + lead;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return 0x110000u + lead;
        }
        code = (code << 6) | (next & 0x3F);
    }
    pos += 1 + extra;
    return code;
}

char32_t FoldCase(char32_t c)
{
    if (c >= U'A' && c <= U'Z')
        return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 32;
    // Latin Extended-A pairs upper and lower case as even/odd neighbours,
    // except in 0x0139-0x0148 and 0x0179-0x017E where the upper case is odd.
    if ((c >= 0x0100 && c <= 0x0137) || (c >= 0x014A && c <= 0x0177))
        return c | 1;
    if ((c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E))
        return (c & 1) ? c + 1 : c;
    return c;
}

std::vector<std::string> SplitComponents(const std::string& path)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t slash = path.find('/', start);
        parts.push_back(path.substr(start, slash - start));
        if (slash == std::string::npos)
            break;
        start = slash + 1;
    }
    return parts;
}

// The entry of `directory` whose name matches `name` ignoring case; empty when none.
std::string FindEntryIgnoringCase(const std::string& directory, const std::string& name)
{
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(directory.empty() ? "." : directory.c_str()), ::closedir);
    if (!dir)
        return {};
    std::string best;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string candidate = entry->d_name;
        // Several matches ("A.tbb" and "a.tbb") are resolved the same way on
        // every run: the smallest name in byte order wins.
        if (SameNameIgnoringCase(candidate, name) && (best.empty() || candidate < best))
            best = candidate;
    }
    return best;
}

std::string Join(const std::string& directory, const std::string& name)
{
    if (directory.empty())
        return name;
    if (directory == "/")
        return "/" + name;
    return directory + "/" + name;
}

}  // namespace

bool SameNameIgnoringCase(const std::string& a, const std::string& b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (FoldCase(NextCodePoint(a, i)) != FoldCase(NextCodePoint(b, j)))
            return false;
    }
    return i == a.size() && j == b.size();
}

std::string ResolveContentPath(const std::string& contentPath)
{
    std::string path = Cp1250ToUtf8(contentPath);
    std::replace(path.begin(), path.end(), '\\', '/');
    if (path.empty() || PathExists(path))
        return path;

    const std::vector<std::string> parts = SplitComponents(path);
    std::string resolved = path.front() == '/' ? "/" : "";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        if (part.empty() || part == "." || part == "..") {
            if (!part.empty())
                resolved = Join(resolved, part);
            continue;
        }
        const std::string exact = Join(resolved, part);
        if (PathExists(exact)) {
            resolved = exact;
            continue;
        }
        const std::string match = FindEntryIgnoringCase(resolved, part);
        if (match.empty())
            return path;
        resolved = Join(resolved, match);
    }
    return resolved;
}

bool IsExistingFile(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool ContentFileExists(const std::string& contentPath)
{
    return IsExistingFile(ResolveContentPath(contentPath));
}

}  // namespace velmora
