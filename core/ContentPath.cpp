#include "core/ContentPath.h"

#include "core/ContentResolver.h"
#include "core/FileStream.h"

namespace velmora {

std::string ResolveContentPath(const std::string& contentPath)
{
    return ContentResolver().Resolve(contentPath);
}

bool ContentFileExists(const std::string& contentPath)
{
    return IsExistingFile(ResolveContentPath(contentPath));
}

}  // namespace velmora
