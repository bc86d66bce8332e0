#include "app/ProgramContent.h"

#include <filesystem>
#include <system_error>

#include "content/ContentError.h"

namespace velmora::app {

std::string LoadFailedText(const ContentFailure& failure, const std::string& contentDirectory)
{
    return std::string(kLoadFailedMessage) + "\n\n" + failure.message + "\n\n" +
           "Co jest nie tak z treścią, wyjaśnia polecenie:\nvelmora-content check \"" + contentDirectory + "\"";
}

std::unique_ptr<LoadedContent> ProgramContent(ContentLoadResult loaded)
{
    if (!loaded.Ok()) {
        std::error_code unknown;
        const std::filesystem::path here = std::filesystem::current_path(unknown);
        throw ContentError(loaded.Failure().reason,
                           LoadFailedText(loaded.Failure(), unknown ? std::string(".") : here.string()));
    }
    return loaded.Take();
}

}  // namespace velmora::app
