#include "content/PictureStore.h"

#include "core/ContentPath.h"
#include "core/TextEncoding.h"

namespace velmora {

std::shared_ptr<const CoveragePicture> PictureStore::Load(const std::string& contentPath, LoadError* error)
{
    // Items name the same file by the same content path far more often than
    // by another spelling, which only resolution reveals: both are kept.
    auto known = byContentPath_.find(contentPath);
    if (known == byContentPath_.end()) {
        const std::string path = resolver_.Resolve(contentPath);
        auto decoded = byResolvedPath_.find(path);
        if (decoded == byResolvedPath_.end()) {
            Entry entry = HasControlByte(contentPath) ? Entry{nullptr, LoadError::BadName} : Decode(path);
            decoded = byResolvedPath_.emplace(path, std::move(entry)).first;
        }
        known = byContentPath_.emplace(contentPath, &decoded->second).first;
    }
    const LoadError result = known->second->error;
    if (result != LoadError::None && !firstFailure_) {
        // A path that names no file resolves to nothing: it is named as the
        // content writes it, in UTF-8 as every resolved path is.
        const std::string path = resolver_.Resolve(contentPath);
        firstFailure_ = ContentFailure::OfFile(path.empty() ? Cp1250ToUtf8(contentPath) : path, result);
    }
    if (error != nullptr)
        *error = result;
    return known->second->picture;
}

PictureStore::Entry PictureStore::Decode(const std::string& path)
{
    auto picture = std::make_shared<CoveragePicture>();
    LoadError error = LoadError::None;
    if (picture->LoadFromFile(path, &error))
        picture->Invert();
    // The decoder refuses more than kMaxPixels per picture, so a picture
    // costs at most that much before it is weighed here.
    const auto bytes = static_cast<std::uint64_t>(picture->Width()) * static_cast<std::uint64_t>(picture->Height());
    if (used_ + bytes > budget_)
        return {nullptr, LoadError::OverBudget};
    if (picture->Width() == 0 && picture->Height() == 0 && error != LoadError::None)
        return {nullptr, error};
    used_ += bytes;
    return {std::move(picture), error};
}

}  // namespace velmora
