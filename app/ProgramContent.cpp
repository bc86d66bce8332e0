#include "app/ProgramContent.h"

#include "content/ContentError.h"

namespace velmora::app {

std::unique_ptr<LoadedContent> ProgramContent(ContentLoadResult loaded)
{
    if (!loaded.Ok())
        throw ContentError(loaded.Failure().reason, kLoadFailedMessage);
    return loaded.Take();
}

}  // namespace velmora::app
