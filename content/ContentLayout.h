#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Where the files of a content directory are. The content names a file by
// its base name; the program finds it under the Data folder, in the folder
// and with the extension of its kind. Content paths are written as the
// content's authors wrote them on Windows, relative to the content directory.
inline constexpr std::string_view kContentFileName = "menl.dat";
inline constexpr std::string_view kDataFolder = "Data";
inline constexpr std::string_view kPictureFolder = "gra";
inline constexpr std::string_view kClipFolder = "sou";
inline constexpr std::string_view kPageFolder = "pre";
inline constexpr std::string_view kPictureExtension = ".tbb";
inline constexpr std::string_view kClipExtension = ".cw";
inline constexpr std::string_view kPageExtension = ".dat";
// The picture of the sound marker drawn on an item that has a clip.
inline constexpr std::string_view kSoundMarkerName = "traba";

// The content paths of a picture ("Data\gra\<name>.tbb"), a clip
// ("Data\sou\<name>.cw") and a presentation page ("Data\pre\<name>.dat").
std::string PictureContentPath(std::string_view name);
std::string ClipContentPath(std::string_view name);
std::string PageContentPath(std::string_view name);

}  // namespace velmora
