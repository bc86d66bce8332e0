#include "tools/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/WriteAll.h"

namespace velmora::tool {

namespace {

std::string Failure(const std::string& path)
{
    return "cannot write " + path + ": " + std::strerror(errno);
}

bool WriteInPlace(const std::string& path, const void* data, std::size_t size, std::string& error)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        error = Failure(path);
        return false;
    }
    const bool written = WriteAll(fd, data, size);
    if (!written)
        error = Failure(path);
    if (::close(fd) != 0 && written) {
        error = Failure(path);
        return false;
    }
    return written;
}

// The mode a new file gets: what the process's umask leaves of rw-rw-rw-.
mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

bool WriteBytes(const std::string& path, const void* data, std::size_t size, std::string& error)
{
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return WriteInPlace(path, data, size, error);

    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        error = Failure(path);
        return false;
    }
    const mode_t mode = exists ? existing.st_mode & 07777 : NewFileMode();
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, data, size);
    if (!ok)
        error = Failure(path);
    if (::close(fd) != 0 && ok) {
        error = Failure(path);
        ok = false;
    }
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
        error = Failure(path);
        ok = false;
    }
    if (!ok)
        ::unlink(temporary.c_str());
    return ok;
}

}  // namespace velmora::tool
