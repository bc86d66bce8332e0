#include "content/FileStamp.h"

#include <sys/stat.h>

namespace velmora {

namespace {

constexpr std::int64_t kNsPerSecond = 1'000'000'000;

std::int64_t Nanoseconds(const timespec& time)
{
    return static_cast<std::int64_t>(time.tv_sec) * kNsPerSecond + time.tv_nsec;
}

}  // namespace

std::optional<FileStamp> FileStamp::Of(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return FileStamp{
        .device = static_cast<std::uint64_t>(info.st_dev),
        .inode = static_cast<std::uint64_t>(info.st_ino),
        .size = static_cast<std::int64_t>(info.st_size),
        .modifiedNs = Nanoseconds(info.st_mtim),
        .changedNs = Nanoseconds(info.st_ctim),
    };
}

}  // namespace velmora
