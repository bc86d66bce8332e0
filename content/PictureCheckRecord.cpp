#include "content/PictureCheckRecord.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <system_error>

#include "core/FileStream.h"
#include "core/LittleEndian.h"
#include "core/WriteAll.h"
#include "graphics/CoveragePicture.h"

namespace velmora {

namespace {

// The layout: the magic, the version and the number of entries, each 32
// bits; the entries, each the length of its path (32 bits), the path, the
// stamp's device, inode, size, modification and change times, the time of
// the check (64 bits each), the picture's width and height (32 bits each);
// last, an FNV-1a hash of the entries' bytes (64 bits). All numbers least
// significant byte first.
constexpr std::array<std::uint8_t, 4> kMagic = {'V', 'P', 'C', 'R'};
constexpr std::size_t kHeaderBytes = 12;
constexpr std::size_t kHashBytes = 8;
constexpr std::size_t kEntryFixedBytes = 4 + 6 * 8 + 2 * 4;
constexpr std::uint32_t kMaxPathBytes = 4096;

std::uint64_t Fnv1a(const std::uint8_t* bytes, std::size_t size)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (std::size_t k = 0; k < size; ++k) {
        hash ^= bytes[k];
        hash *= 1099511628211ULL;
    }
    return hash;
}

// Reads numbers off the front of a byte range; once it runs short, every
// later read fails too.
class Reader {
public:
    Reader(const std::uint8_t* bytes, std::size_t size) : here_(bytes), left_(size) {}

    bool Number(std::uint64_t& value, int width)
    {
        if (!Take(static_cast<std::size_t>(width)))
            return false;
        value = width == 8 ? ReadLittle64(here_ - 8) : ReadLittle32(here_ - 4);
        return true;
    }
    bool Signed(std::int64_t& value)
    {
        std::uint64_t raw = 0;
        if (!Number(raw, 8))
            return false;
        value = static_cast<std::int64_t>(raw);
        return true;
    }
    bool Signed32(std::int32_t& value)
    {
        std::uint64_t raw = 0;
        if (!Number(raw, 4))
            return false;
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(raw));
        return true;
    }
    bool Text(std::string& text, std::size_t length)
    {
        if (!Take(length))
            return false;
        text.assign(reinterpret_cast<const char*>(here_ - length), length);
        return true;
    }
    std::size_t Left() const { return left_; }

private:
    bool Take(std::size_t count)
    {
        if (count > left_)
            return false;
        here_ += count;
        left_ -= count;
        return true;
    }

    const std::uint8_t* here_;
    std::size_t left_;
};

}  // namespace

PictureCheckRecord::PictureCheckRecord(std::int64_t checkTimeNs) : checkTimeNs_(checkTimeNs)
{}

std::int64_t PictureCheckRecord::SystemTimeNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

void PictureCheckRecord::Read(const std::string& file)
{
    std::vector<std::uint8_t> bytes;
    if (ReadWholeFile(file, bytes, kMaxFileBytes))
        Parse(bytes.data(), bytes.size());
    else
        read_.clear();
}

void PictureCheckRecord::Parse(const std::uint8_t* bytes, std::size_t size)
{
    std::optional<Entries> entries = Decode(bytes, size);
    read_ = entries ? std::move(*entries) : Entries{};
}

std::optional<PictureCheckRecord::PictureSize> PictureCheckRecord::Trusted(const std::string& path,
                                                                           const FileStamp& stamp) const
{
    const auto found = read_.find(path);
    if (found == read_.end() || found->second.stamp != stamp)
        return std::nullopt;
    return found->second.size;
}

void PictureCheckRecord::Keep(const std::string& path, const FileStamp& stamp, PictureSize size)
{
    // A file trusted from the record keeps the time it was checked at.
    const auto known = read_.find(path);
    if (known != read_.end() && known->second.stamp == stamp && known->second.size == size) {
        kept_.insert_or_assign(path, known->second);
        return;
    }
    const Entry entry{stamp, checkTimeNs_, size};
    if (!path.empty() && path.size() <= kMaxPathBytes && IsSound(entry))
        kept_.insert_or_assign(path, entry);
}

bool PictureCheckRecord::IsRacy(const FileStamp& stamp, std::int64_t checkedNs)
{
    // A check time too early to subtract from is not one Keep would record.
    return checkedNs < std::numeric_limits<std::int64_t>::min() + kRacyNs || stamp.changedNs > checkedNs - kRacyNs;
}

bool PictureCheckRecord::IsSound(const Entry& entry)
{
    const auto [width, height] = entry.size;
    return width >= 0 && height >= 0 && width <= CoveragePicture::kMaxDimension &&
           height <= CoveragePicture::kMaxDimension &&
           static_cast<std::int64_t>(width) * height <= CoveragePicture::kMaxPixels && entry.stamp.size >= 0 &&
           !IsRacy(entry.stamp, entry.checkedNs);
}

std::vector<std::uint8_t> PictureCheckRecord::Serialise() const
{
    std::vector<std::uint8_t> bytes(kMagic.begin(), kMagic.end());
    AppendLittle32(bytes, kVersion);
    AppendLittle32(bytes, static_cast<std::uint32_t>(kept_.size()));
    for (const auto& [path, entry] : kept_) {
        AppendLittle32(bytes, static_cast<std::uint32_t>(path.size()));
        bytes.insert(bytes.end(), path.begin(), path.end());
        for (const std::uint64_t value :
             {entry.stamp.device, entry.stamp.inode, static_cast<std::uint64_t>(entry.stamp.size),
              static_cast<std::uint64_t>(entry.stamp.modifiedNs), static_cast<std::uint64_t>(entry.stamp.changedNs),
              static_cast<std::uint64_t>(entry.checkedNs)})
            AppendLittle64(bytes, value);
        AppendLittle32(bytes, static_cast<std::uint32_t>(entry.size.width));
        AppendLittle32(bytes, static_cast<std::uint32_t>(entry.size.height));
    }
    AppendLittle64(bytes, Fnv1a(bytes.data() + kHeaderBytes, bytes.size() - kHeaderBytes));
    return bytes;
}

std::optional<PictureCheckRecord::Entries> PictureCheckRecord::Decode(const std::uint8_t* bytes, std::size_t size)
{
    if (size < kHeaderBytes + kHashBytes || size > kMaxFileBytes ||
        std::memcmp(bytes, kMagic.data(), kMagic.size()) != 0)
        return std::nullopt;
    const std::size_t entryBytes = size - kHeaderBytes - kHashBytes;
    Reader reader(bytes + kMagic.size(), size - kMagic.size() - kHashBytes);
    std::uint64_t version = 0;
    std::uint64_t count = 0;
    if (!reader.Number(version, 4) || version != kVersion || !reader.Number(count, 4) ||
        count > entryBytes / (kEntryFixedBytes + 1))
        return std::nullopt;
    Entries entries;
    entries.reserve(static_cast<std::size_t>(count));
    for (std::uint64_t k = 0; k < count; ++k) {
        std::uint64_t length = 0;
        std::string path;
        Entry entry;
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        if (!reader.Number(length, 4) || length == 0 || length > kMaxPathBytes ||
            !reader.Text(path, static_cast<std::size_t>(length)) || !reader.Number(device, 8) ||
            !reader.Number(inode, 8) || !reader.Signed(entry.stamp.size) || !reader.Signed(entry.stamp.modifiedNs) ||
            !reader.Signed(entry.stamp.changedNs) || !reader.Signed(entry.checkedNs) ||
            !reader.Signed32(entry.size.width) || !reader.Signed32(entry.size.height))
            return std::nullopt;
        entry.stamp.device = device;
        entry.stamp.inode = inode;
        // A racy entry or an impossible size was never written by Keep.
        if (!IsSound(entry) || !entries.emplace(std::move(path), entry).second)
            return std::nullopt;
    }
    // Compared last, so that a fuzzer reaches every check above without
    // having to forge the hash.
    Reader hash(bytes + size - kHashBytes, kHashBytes);
    std::uint64_t stored = 0;
    if (reader.Left() != 0 || !hash.Number(stored, 8) || stored != Fnv1a(bytes + kHeaderBytes, entryBytes))
        return std::nullopt;
    return entries;
}

bool PictureCheckRecord::Write(const std::string& file) const
{
    std::vector<std::uint8_t> bytes;
    try {
        bytes = Serialise();
    } catch (const std::bad_alloc&) {
        return false;
    }
    std::error_code error;
    const std::filesystem::path target(file);
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path(), error);
    // One temporary name, made anew: what a write killed halfway left there
    // (a file, or whatever it has become since) is replaced, not kept, and
    // never written through. Two programs writing at once can at worst leave
    // a record that fails its hash, which the next start ignores.
    const std::string temporary = file + ".new";
    ::unlink(temporary.c_str());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool written = WriteAll(fd, bytes.data(), bytes.size());
    const bool closed = ::close(fd) == 0;
    if (written && closed && std::rename(temporary.c_str(), file.c_str()) == 0)
        return true;
    ::unlink(temporary.c_str());
    return false;
}

}  // namespace velmora
