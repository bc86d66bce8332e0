#include "content/ContentLoad.h"

#include "content/ContentLayout.h"
#include "core/ContentPath.h"

namespace velmora {

ContentLoadResult LoadContent(ContentParseReport* report, PictureCheckRecord* record)
{
    auto content = std::make_unique<LoadedContent>();
    const std::string contentFile(kContentFileName);
    try {
        content->set.LoadFromFile(contentFile, report);
    } catch (const ContentError& error) {
        return ContentLoadResult(nullptr, ContentFailure{contentFile, error.Reason(), error.what()});
    }
    ContentFailure failure;
    if (!content->set.LoadResources(PictureStore::kDefaultBudget, &failure, record))
        return ContentLoadResult(std::move(content), std::move(failure));

    const std::string marker = ResolveContentPath(PictureContentPath(kSoundMarkerName));
    LoadError error = LoadError::None;
    if (!content->soundMarker.LoadFromFile(marker, &error))
        return ContentLoadResult(std::move(content), ContentFailure::OfFile(marker, error));
    return ContentLoadResult(std::move(content));
}

}  // namespace velmora
