#pragma once

#include <string>

namespace velmora {

// What a content path says by its bytes alone, before any folder is read:
// names compared as Windows compares them, bytes no file name may hold, and
// paths that climb out of the content directory.

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
