#pragma once

#include <memory>
#include <string>

#include "content/ContentLoadResult.h"

namespace velmora::app {

// What the user is told first when the content cannot be used.
inline constexpr char kLoadFailedMessage[] = "Wystąpił błąd podczas wczytywania zasobów!";

// The whole text of the box for a failed load: the message above, the file
// and the reason as the content tool names them, and the tool's command
// that explains the content of `contentDirectory`.
std::string LoadFailedText(const ContentFailure& failure, const std::string& contentDirectory);

// The content the program's windows are built from, the current directory's.
// Throws ContentError with the box's text when the load failed.
std::unique_ptr<LoadedContent> ProgramContent(ContentLoadResult loaded);

}  // namespace velmora::app
