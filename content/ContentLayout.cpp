#include "content/ContentLayout.h"

namespace velmora {

namespace {

std::string ContentPath(std::string_view folder, std::string_view name, std::string_view extension)
{
    std::string path(kDataFolder);
    path += '\\';
    path += folder;
    path += '\\';
    path += name;
    path += extension;
    return path;
}

}  // namespace

std::string PictureContentPath(std::string_view name)
{
    return ContentPath(kPictureFolder, name, kPictureExtension);
}

std::string ClipContentPath(std::string_view name)
{
    return ContentPath(kClipFolder, name, kClipExtension);
}

std::string PageContentPath(std::string_view name)
{
    return ContentPath(kPageFolder, name, kPageExtension);
}

}  // namespace velmora
