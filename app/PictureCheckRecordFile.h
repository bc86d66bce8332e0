#pragma once

#include <filesystem>
#include <string>

namespace velmora::app {

// Where the record of the picture checks of the content in `contentFolder`
// is kept: in the user's cache folder, one file per content folder, named
// after a hash of the folder's canonical path, so that two content folders
// never share or evict each other's record. Empty when the user has no cache
// folder. Needs no application object.
std::string PictureCheckRecordFile(const std::filesystem::path& contentFolder);

}  // namespace velmora::app
