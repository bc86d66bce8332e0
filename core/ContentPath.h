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

// The same test for a path already resolved.
bool IsExistingFile(const std::string& path);

// True when the content path holds a byte below 0x20, so that it names no file.
bool HasControlByte(const std::string& contentPath);

// True when the content path leads outside the content directory, read as
// written: an absolute path, or more ".." components than folders before
// them. Such paths are allowed; tools point them out.
bool LeavesContentDirectory(const std::string& contentPath);

// Case-insensitive comparison of two UTF-8 names, folding ASCII and the
// Latin letters of Windows-1250 (Polish, Czech, Hungarian, ...).
bool SameNameIgnoringCase(const std::string& a, const std::string& b);

// The name with its letter case folded as SameNameIgnoringCase folds it:
// two names compare equal there exactly when their folded names are equal.
// A malformed UTF-8 byte stays distinct from every character.
std::u32string FoldedName(const std::string& name);

}  // namespace velmora
