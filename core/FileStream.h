#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/Stream.h"

namespace velmora {

// A read-only stream over a file; the file is closed with the object.
class FileStream : public Stream {
public:
    // Opens `path` (a Linux path) for reading; IsOpen tells whether it worked.
    explicit FileStream(const std::string& path);
    ~FileStream() override;
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    // The size of a regular file; -1 for anything else (a pipe, a device).
    long long RegularFileSize() const;
    // True after a read failed for a reason other than the end of the file.
    bool Failed() const;
    std::size_t Read(void* buffer, std::size_t count) override;

private:
    std::FILE* file_ = nullptr;
};

// Reads the file at `path` (a Linux path) from its start, stopping after
// `maxBytes` bytes; a caller that must refuse larger files asks for one byte
// more than it accepts and looks at the size. Returns false, with `bytes`
// empty, when the file cannot be opened or a read fails.
bool ReadFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t maxBytes);

// Reads the whole file at `path`. Returns false, with `bytes` empty, when it
// cannot be read or holds more than `maxBytes`; a regular file's size is
// looked at before anything is read, so a large file costs no memory.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t maxBytes);

}  // namespace velmora
