#pragma once

#include <memory>

#include "content/ContentLoadResult.h"

namespace velmora::app {

// What the user is told when the content cannot be used; the reason stays
// inside, for the content tool to explain.
inline constexpr char kLoadFailedMessage[] = "Wystąpił błąd podczas wczytywania zasobów!";

// The content the program's windows are built from. Throws ContentError
// with the user's message when the load failed.
std::unique_ptr<LoadedContent> ProgramContent(ContentLoadResult loaded);

}  // namespace velmora::app
