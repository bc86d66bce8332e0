#pragma once

#include <string>

#include "core/LoadError.h"

namespace velmora {

// Why a content directory cannot be used: the file that stopped the load and
// the reason. `message` is the text a tool shows for it: the content file's
// own message when that file is refused, "<file>: <reason>" for any other.
struct ContentFailure {
    std::string file;
    LoadError reason = LoadError::None;
    std::string message;

    static ContentFailure OfFile(const std::string& file, LoadError reason)
    {
        return ContentFailure{file, reason, file + ": " + LoadErrorText(reason)};
    }
};

}  // namespace velmora
