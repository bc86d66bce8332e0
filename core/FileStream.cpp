#include "core/FileStream.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

namespace velmora {

FileStream::FileStream(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {}

FileStream::~FileStream()
{
    if (file_ != nullptr)
        std::fclose(file_);
}

std::size_t FileStream::Read(void* buffer, std::size_t count)
{
    if (file_ == nullptr || count == 0)
        return 0;
    return std::fread(buffer, 1, count, file_);
}

long long FileStream::RegularFileSize() const
{
    struct stat info {};
    if (file_ == nullptr || ::fstat(::fileno(file_), &info) != 0 || !S_ISREG(info.st_mode))
        return -1;
    return static_cast<long long>(info.st_size);
}

bool FileStream::Failed() const
{
    return file_ != nullptr && std::ferror(file_) != 0;
}

namespace {

// Reads from the stream's position on, stopping after `maxBytes` bytes.
bool ReadPrefix(FileStream& stream, std::vector<std::uint8_t>& bytes, std::size_t maxBytes)
{
    // Grows in blocks rather than trusting a size reported up front, so a file
    // that changes while it is read is still read safely and never past the cap.
    constexpr std::size_t kBlock = 64 * 1024;
    while (bytes.size() < maxBytes) {
        const std::size_t used = bytes.size();
        const std::size_t want = std::min(kBlock, maxBytes - used);
        bytes.resize(used + want);
        const std::size_t got = stream.Read(bytes.data() + used, want);
        bytes.resize(used + got);
        if (got < want)
            break;
    }
    if (stream.Failed()) {
        bytes.clear();
        return false;
    }
    return true;
}

}  // namespace

bool ReadFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t maxBytes)
{
    bytes.clear();
    FileStream stream(path);
    return stream.IsOpen() && ReadPrefix(stream, bytes, maxBytes);
}

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t maxBytes)
{
    bytes.clear();
    FileStream stream(path);
    if (!stream.IsOpen())
        return false;
    const long long size = stream.RegularFileSize();
    if (size >= 0 && static_cast<unsigned long long>(size) > maxBytes)
        return false;
    if (size >= 0)
        bytes.reserve(static_cast<std::size_t>(size) + 1);
    // The size is checked again while reading: a pipe has none, and a file
    // may grow after it was looked at.
    if (!ReadPrefix(stream, bytes, maxBytes == static_cast<std::size_t>(-1) ? maxBytes : maxBytes + 1))
        return false;
    if (bytes.size() > maxBytes) {
        bytes.clear();
        return false;
    }
    return true;
}

}  // namespace velmora
