#include "content/PictureStore.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>

#include "core/ContentName.h"
#include "core/ParallelFor.h"
#include "core/TextEncoding.h"

namespace velmora {

std::shared_ptr<const CoveragePicture> PictureStore::Load(const std::string& contentPath, LoadError* error,
                                                          PictureDecoding decoding)
{
    // Items name the same file by the same content path far more often than
    // by another spelling, which only resolution reveals: both are kept.
    auto known = byContentPath_.find(contentPath);
    if (known == byContentPath_.end()) {
        const std::string path = resolver_.Resolve(contentPath);
        auto decoded = byResolvedPath_.find(path);
        if (decoded == byResolvedPath_.end()) {
            if (HasControlByte(contentPath)) {
                decoded = byResolvedPath_.emplace(path, Entry{nullptr, LoadError::BadName}).first;
            } else if (noting_) {
                decoded = byResolvedPath_.emplace(path, Entry{nullptr, LoadError::None, decoding}).first;
                noted_.push_back({path, &decoded->second});
            } else {
                decoded = byResolvedPath_.emplace(path, Admit(path, DecodeFile(path, decoding, buffer_))).first;
            }
        }
        known = byContentPath_.emplace(contentPath, &decoded->second).first;
    }
    if (noting_) {
        if (decoding == PictureDecoding::AtLoad)
            known->second->decoding = decoding;
        if (error != nullptr)
            *error = LoadError::None;
        return nullptr;
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

void PictureStore::DecodeNoted()
{
    noting_ = false;
    const std::vector<Noted> noted = std::move(noted_);
    noted_.clear();

    // Each worker takes the next file and decodes or checks it. The results
    // are weighed against the budget strictly in the order the files were
    // noted, by whichever worker completes the run of results ready. A result
    // that holds pixels keeps its worker until it has been weighed, so that
    // no more pictures are decoded but not yet weighed than there are
    // workers; a file that was only checked holds none and lets its worker
    // go on to the next.
    std::atomic<std::size_t> next{0};
    std::mutex turnMutex;
    std::condition_variable turnChanged;
    std::size_t turn = 0;
    std::vector<std::optional<Decoded>> ready(noted.size());
    std::exception_ptr failure;
    auto work = [&] {
        ReadBuffer buffer;
        for (std::size_t k = next++; k < noted.size(); k = next++) {
            Decoded decoded;
            std::exception_ptr thrown;
            try {
                decoded = DecodeFile(noted[k].path, noted[k].entry->decoding, buffer);
            } catch (...) {
                // Out of memory, mostly: the load fails with it once every
                // worker has stopped, and the turn still passes on.
                thrown = std::current_exception();
                decoded = {nullptr, LoadError::Unreadable, std::nullopt};
            }
            const bool holdsPixels =
                noted[k].entry->decoding == PictureDecoding::AtLoad || decoded.error != LoadError::None;
            std::unique_lock lock(turnMutex);
            ready[k] = std::move(decoded);
            if (thrown && !failure)
                failure = thrown;
            for (; turn < noted.size() && ready[turn]; ++turn) {
                *noted[turn].entry = Admit(noted[turn].path, std::move(*ready[turn]));
                ready[turn].reset();
            }
            turnChanged.notify_all();
            if (holdsPixels)
                turnChanged.wait(lock, [&] { return turn > k; });
        }
    };

    RunOnCores(noted.size(), work);
    if (failure)
        std::rethrow_exception(failure);
}

PictureStore::Decoded PictureStore::DecodeFile(const std::string& path, PictureDecoding decoding,
                                               ReadBuffer& buffer) const
{
    if (decoding == PictureDecoding::OnFirstUse && record_ != nullptr)
        return CheckUnlessRecorded(path, buffer);
    auto picture = std::make_shared<CoveragePicture>();
    LoadError error = LoadError::None;
    if (decoding == PictureDecoding::AtLoad)
        picture->LoadFromFile(path, &error, CoveragePicture::Values::Inverted);
    else
        picture->LoadOnFirstUse(path, buffer, &error, CoveragePicture::Values::Inverted);
    return {std::move(picture), error, std::nullopt};
}

PictureStore::Decoded PictureStore::CheckUnlessRecorded(const std::string& path, ReadBuffer& buffer) const
{
    auto picture = std::make_shared<CoveragePicture>();
    const std::optional<FileStamp> before = FileStamp::Of(path);
    if (before) {
        const auto size = record_->Trusted(path, *before);
        if (size && picture->LoadCheckedOnFirstUse(path, size->width, size->height, CoveragePicture::Values::Inverted))
            return {std::move(picture), LoadError::None, before};
    }
    LoadError error = LoadError::None;
    picture->LoadOnFirstUse(path, buffer, &error, CoveragePicture::Values::Inverted);
    // A file that changed while it was read may have been read part old,
    // part new: its check is not worth recording.
    const bool settled = error == LoadError::None && before && FileStamp::Of(path) == before;
    return {std::move(picture), error, settled ? before : std::nullopt};
}

PictureStore::Entry PictureStore::Admit(const std::string& path, Decoded decoded)
{
    if (record_ != nullptr && decoded.passedAs)
        record_->Keep(path, *decoded.passedAs, {decoded.picture->Width(), decoded.picture->Height()});
    // The decoder refuses more than kMaxPixels per picture, so a picture
    // costs at most that much before it is weighed here.
    if (!decoded.picture)
        return {nullptr, decoded.error};
    const CoveragePicture& picture = *decoded.picture;
    const auto bytes = static_cast<std::uint64_t>(picture.Width()) * static_cast<std::uint64_t>(picture.Height());
    if (used_ + bytes > budget_)
        return {nullptr, LoadError::OverBudget};
    if (picture.Width() == 0 && picture.Height() == 0 && decoded.error != LoadError::None)
        return {nullptr, decoded.error};
    used_ += bytes;
    return {std::move(decoded.picture), decoded.error};
}

}  // namespace velmora
