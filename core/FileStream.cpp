#include "core/FileStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace velmora {

namespace {

LoadError OpenErrorOf(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR: return LoadError::NoFile;
    case EISDIR: return LoadError::IsFolder;
    default: return LoadError::Unreadable;
    }
}

LoadError KindError(const struct stat& info, FileKinds kinds)
{
    if (S_ISDIR(info.st_mode))
        return LoadError::IsFolder;
    if (kinds == FileKinds::RegularOnly && !S_ISREG(info.st_mode))
        return LoadError::NotRegularFile;
    return LoadError::None;
}

}  // namespace

FileStream::FileStream(const std::string& path, FileKinds kinds)
{
    // A NUL inside the name would cut it where the system sees it.
    if (path.empty() || path.find('\0') != std::string::npos) {
        openError_ = LoadError::NoFile;
        return;
    }
    // O_NONBLOCK makes opening a named pipe return at once instead of waiting
    // for a writer; the pipe is then refused by its kind. Reads of a regular
    // file never block, so the flag changes nothing for them.
    const int flags = O_RDONLY | O_CLOEXEC | O_NOCTTY | (kinds == FileKinds::RegularOnly ? O_NONBLOCK : 0);
    const int fd = ::open(path.c_str(), flags);
    if (fd < 0) {
        openError_ = OpenErrorOf(errno);
        return;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        openError_ = LoadError::Unreadable;
    else
        openError_ = KindError(info, kinds);
    if (openError_ == LoadError::None)
        file_ = ::fdopen(fd, "rb");
    if (file_ == nullptr) {
        ::close(fd);
        if (openError_ == LoadError::None)
            openError_ = LoadError::Unreadable;
    }
}

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

LoadError RegularFileStatus(const std::string& path)
{
    if (path.empty() || path.find('\0') != std::string::npos)
        return LoadError::NoFile;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return OpenErrorOf(errno);
    return KindError(info, FileKinds::RegularOnly);
}

bool IsExistingFile(const std::string& path)
{
    return RegularFileStatus(path) == LoadError::None;
}

namespace {

// Above this a cap is not reserved up front; no caller reads that much.
constexpr std::size_t kMaxReservation = std::size_t{1} << 30;

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

bool Refuse(std::vector<std::uint8_t>& bytes, LoadError* error, LoadError reason)
{
    bytes.clear();
    if (error != nullptr)
        *error = reason;
    return false;
}

}  // namespace

bool ReadFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t maxBytes, LoadError* error)
{
    bytes.clear();
    FileStream stream(path);
    if (!stream.IsOpen())
        return Refuse(bytes, error, stream.OpenError());
    if (!ReadPrefix(stream, bytes, maxBytes))
        return Refuse(bytes, error, LoadError::Unreadable);
    if (error != nullptr)
        *error = LoadError::None;
    return true;
}

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t maxBytes, LoadError* error,
                   FileKinds kinds)
{
    bytes.clear();
    FileStream stream(path, kinds);
    if (!stream.IsOpen())
        return Refuse(bytes, error, stream.OpenError());
    const long long size = stream.RegularFileSize();
    if (size >= 0 && static_cast<unsigned long long>(size) > maxBytes)
        return Refuse(bytes, error, LoadError::TooLarge);
    const std::size_t cap = maxBytes == static_cast<std::size_t>(-1) ? maxBytes : maxBytes + 1;
    // A pipe or device has no size: the whole cap is reserved as address
    // space, which the system backs with memory only as bytes arrive, so
    // the buffer is never copied into one twice its size while it grows.
    if (size >= 0)
        bytes.reserve(static_cast<std::size_t>(size) + 1);
    else if (cap <= kMaxReservation)
        bytes.reserve(cap);
    // The size is checked again while reading: a pipe has none, and a file
    // may grow after it was looked at.
    if (!ReadPrefix(stream, bytes, cap))
        return Refuse(bytes, error, LoadError::Unreadable);
    if (bytes.size() > maxBytes)
        return Refuse(bytes, error, LoadError::TooLarge);
    if (error != nullptr)
        *error = LoadError::None;
    return true;
}

}  // namespace velmora
