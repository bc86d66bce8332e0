#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace velmora::test {

using Bytes = std::vector<std::uint8_t>;

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Writes `bytes` to `relative` (a '/'-separated path), creating folders.
    std::filesystem::path Write(const std::string& relative, const Bytes& bytes) const;
    std::filesystem::path Write(const std::string& relative, const std::string& text) const;

private:
    std::filesystem::path path_;
};

// Makes `directory` the current one for the object's lifetime.
class CurrentDirGuard {
public:
    explicit CurrentDirGuard(const std::filesystem::path& directory);
    ~CurrentDirGuard();
    CurrentDirGuard(const CurrentDirGuard&) = delete;
    CurrentDirGuard& operator=(const CurrentDirGuard&) = delete;

private:
    std::filesystem::path previous_;
};

// An unpacked picture file: magic, width, height, then `pixels` as given.
Bytes UnpackedTbb(std::int32_t width, std::int32_t height, const Bytes& pixels);
// A packed picture file with the packed length taken from `packed`.
Bytes PackedTbb(std::int32_t width, std::int32_t height, const Bytes& packed);
// A packed picture file with an explicit packed length field.
Bytes PackedTbb(std::int32_t width, std::int32_t height, std::int32_t packedLength, const Bytes& packed);

Bytes ReadBytes(const std::filesystem::path& path);

}  // namespace velmora::test
