#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace velmora {

// A sequential byte source. Read reports how many bytes it delivered; fewer
// than asked means the end of the data or a failing read.
class CStream {
public:
    virtual ~CStream() = default;
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
};

// A stream over bytes held in memory; it owns a copy of them.
class CMemoryStream : public CStream {
public:
    CMemoryStream() = default;
    explicit CMemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    CMemoryStream(const void* data, std::size_t size);

    std::size_t Read(void* buffer, std::size_t count) override;

    std::size_t Size() const { return bytes_.size(); }
    std::size_t Position() const { return position_; }
    const std::uint8_t* Data() const { return bytes_.data(); }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

// A read-only stream over a file; the file is closed with the object.
class CFileStream : public CStream {
public:
    // Opens `path` (a Linux path) for reading; IsOpen tells whether it worked.
    explicit CFileStream(const std::string& path);
    ~CFileStream() override;
    CFileStream(const CFileStream&) = delete;
    CFileStream& operator=(const CFileStream&) = delete;

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
