#pragma once

#include <string>

namespace velmora {

// Turns a content path as the content names it (Windows-1250 bytes,
// backslashes, relative to the current directory, any letter case) into the
// Linux path of the file. The exact path wins; where it does not exist, each
// component is matched case-insensitively against its directory. When no
// file matches, the converted path is returned as it stands, so opening it
// fails as a missing file does. A path holding a byte below 0x20 names no
// file (Windows allows none in names): it gives the empty path. Each call
// reads the folders it searches afresh; a load that resolves many paths
// uses one ContentResolver instead.
std::string ResolveContentPath(const std::string& contentPath);

// True when the content path names a regular file, or a link to one: not a
// folder, a named pipe or a device.
bool ContentFileExists(const std::string& contentPath);

}  // namespace velmora
