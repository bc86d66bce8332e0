#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/LoadError.h"
#include "core/Stream.h"

namespace velmora {

// Which files a stream may open. Content is only ever read from regular
// files (or links to them): a named pipe or a device would block the opening
// or the reading forever, or never end. The tool's own inputs may be pipes.
enum class FileKinds : std::uint8_t { RegularOnly, Any };

// A read-only stream over a file; the file is closed with the object.
class FileStream : public Stream {
public:
    // Opens `path` (a Linux path) for reading; IsOpen tells whether it
    // worked and OpenError why not. With RegularOnly the file is opened
    // without waiting for a writer, so a named pipe is refused at once.
    explicit FileStream(const std::string& path, FileKinds kinds = FileKinds::RegularOnly);
    ~FileStream() override;
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    // Why the file could not be opened; None when it is open.
    LoadError OpenError() const { return openError_; }
    // The size of a regular file; -1 for anything else (a pipe, a device).
    long long RegularFileSize() const;
    // True after a read failed for a reason other than the end of the file.
    bool Failed() const;
    std::size_t Read(void* buffer, std::size_t count) override;

private:
    std::FILE* file_ = nullptr;
    LoadError openError_ = LoadError::None;
};

// What is at `path` for a reader of content: None for a regular file (or a
// link to one), otherwise the reason it is not read.
LoadError RegularFileStatus(const std::string& path);

// True when the path names a regular file or a link to one.
bool IsExistingFile(const std::string& path);

// Reads the file at `path` (a Linux path) from its start, stopping after
// `maxBytes` bytes; a caller that must refuse larger files asks for one byte
// more than it accepts and looks at the size. Returns false, with `bytes`
// empty and `error` (when given) set, when the file cannot be opened or a
// read fails.
bool ReadFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t maxBytes,
              LoadError* error = nullptr);

// Reads the whole file at `path`. Returns false, with `bytes` empty and
// `error` (when given) set, when it cannot be read or holds more than
// `maxBytes`; a regular file's size is looked at before anything is read,
// so a large file costs no memory, and a pipe or device read up to the cap
// costs the bytes it delivered, not twice that.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t maxBytes,
                   LoadError* error = nullptr, FileKinds kinds = FileKinds::RegularOnly);

}  // namespace velmora
