#pragma once

#include <string>

namespace velmora {

// Turns a content path as the content names it (Windows-1250 bytes,
// backslashes, relative to the current directory, any letter case) into the
// Linux path of the file. The exact path wins; where it does not exist, each
// component is matched case-insensitively against its directory. When no
// file matches, the converted path is returned as it stands, so opening it
// fails as a missing file does.
std::string ResolveContentPath(const std::string& contentPath);

// True when the content path names an existing file (not a directory).
bool ContentFileExists(const std::string& contentPath);

// The same test for a path already resolved.
bool IsExistingFile(const std::string& path);

// Case-insensitive comparison of two UTF-8 names, folding ASCII and the
// Latin letters of Windows-1250 (Polish, Czech, Hungarian, ...).
bool SameNameIgnoringCase(const std::string& a, const std::string& b);

}  // namespace velmora
