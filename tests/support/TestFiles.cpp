#include "support/TestFiles.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "core/LittleEndian.h"

namespace velmora::test {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary directory");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempDir::Write(const std::string& relative, const Bytes& bytes) const
{
    const std::filesystem::path target = path_ / relative;
    std::filesystem::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + target.string());
    return target;
}

std::filesystem::path TempDir::Write(const std::string& relative, const std::string& text) const
{
    return Write(relative, Bytes(text.begin(), text.end()));
}

CurrentDirGuard::CurrentDirGuard(const std::filesystem::path& directory) : previous_(std::filesystem::current_path())
{
    std::filesystem::current_path(directory);
}

CurrentDirGuard::~CurrentDirGuard()
{
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
}

namespace {

void AppendInt32(Bytes& bytes, std::int32_t value)
{
    AppendLittle32(bytes, static_cast<std::uint32_t>(value));
}

}  // namespace

Bytes UnpackedTbb(std::int32_t width, std::int32_t height, const Bytes& pixels)
{
    Bytes file{'T', 'B', 'B', '1'};
    AppendInt32(file, width);
    AppendInt32(file, height);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

Bytes PackedTbb(std::int32_t width, std::int32_t height, std::int32_t packedLength, const Bytes& packed)
{
    Bytes file{'T', 'B', 'B', 's'};
    AppendInt32(file, width);
    AppendInt32(file, height);
    AppendInt32(file, packedLength);
    file.insert(file.end(), packed.begin(), packed.end());
    return file;
}

Bytes PackedTbb(std::int32_t width, std::int32_t height, const Bytes& packed)
{
    return PackedTbb(width, height, static_cast<std::int32_t>(packed.size()), packed);
}

Bytes ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace velmora::test
