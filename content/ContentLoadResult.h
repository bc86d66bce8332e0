#pragma once

#include <memory>
#include <optional>

#include "content/ContentFailure.h"
#include "content/LoadedContent.h"

namespace velmora {

// The outcome of loading a content directory: the whole content, or the
// first failure. After a failure past the content file, what was read stays
// available to tools that explain the failure; the program never uses it.
class ContentLoadResult {
public:
    explicit ContentLoadResult(std::unique_ptr<LoadedContent> content) : content_(std::move(content)) {}
    // `partial` is null when the content file itself was refused.
    ContentLoadResult(std::unique_ptr<LoadedContent> partial, ContentFailure failure)
        : content_(std::move(partial)), failure_(std::move(failure))
    {}

    bool Ok() const { return !failure_.has_value(); }
    // Only after a failure.
    const ContentFailure& Failure() const { return *failure_; }

    // The whole content after success; what was read after a failure; null
    // when the content file was refused.
    const LoadedContent* Content() const { return content_.get(); }
    // Hands the whole content over; null after a failure, so a partial load
    // never reaches a window.
    std::unique_ptr<LoadedContent> Take() { return Ok() ? std::move(content_) : nullptr; }

private:
    std::unique_ptr<LoadedContent> content_;
    std::optional<ContentFailure> failure_;
};

}  // namespace velmora
