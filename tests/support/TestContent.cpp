#include "support/TestContent.h"

#include "content/ContentLayout.h"
#include "core/TextEncoding.h"

namespace velmora::test {
namespace {

std::string PictureFile(const std::string& name)
{
    return std::string(kDataFolder) + "/" + std::string(kPictureFolder) + "/" + name + std::string(kPictureExtension);
}

std::string ClipFile(const std::string& name)
{
    return std::string(kDataFolder) + "/" + std::string(kClipFolder) + "/" + name + std::string(kClipExtension);
}

// An unpacked picture with a diagonal band of ink, so resampling has work.
Bytes Picture(int width, int height)
{
    Bytes pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<std::size_t>(y * width + x)] = (x + y) % 16 < 8 ? 255 : 0;
    return UnpackedTbb(width, height, pixels);
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\" ";
}

// Appends rather than writing "g" + std::to_string(group): on that form
// GCC 12 at -O3 warns falsely (-Wrestrict, inside char_traits.h).
std::string GroupFile(int group)
{
    std::string name = "g";
    name += std::to_string(group);
    return name;
}

}  // namespace

std::string TestItemFile(int group, int item)
{
    return GroupFile(group) + "i" + std::to_string(item);
}

void WriteTestContent(const TempDir& dir, const std::vector<TestGroup>& groups, bool withMarker)
{
    std::string menl;
    for (int g = 0; g < static_cast<int>(groups.size()); ++g) {
        const TestGroup& group = groups[static_cast<std::size_t>(g)];
        const std::string file = GroupFile(g);
        menl += group.indented ? "# # " : "# ";
        menl += Quoted(group.name) + Quoted(file);
        if (group.picture) {
            menl += "B ";
            dir.Write(PictureFile(file), Picture(120, 100));
        }
        for (int t = 0; t < group.titleEntries; ++t) {
            const std::string entry = file + "t" + std::to_string(t);
            menl += "| " + Quoted("Wpis " + std::to_string(t)) + Quoted(entry);
            dir.Write(PictureFile(entry), Picture(40, 30));
        }
        for (int i = 0; i < group.items; ++i) {
            const std::string item = TestItemFile(g, i);
            menl += "- " + Quoted("Słowo " + std::to_string(i)) + Quoted(item);
            dir.Write(PictureFile(item), Picture(kTestItemWidth, kTestItemHeight));
        }
        if (group.firstItemClip && group.items > 0)
            dir.Write(ClipFile(TestItemFile(g, 0)), std::string("RIFF clip of group ") + file);
        menl += "\n";
    }
    // The header marker is the byte 0xA8 itself, not a character to convert.
    dir.Write(std::string(kContentFileName), "F\xA8\n" + Utf8ToCp1250(menl));
    if (withMarker) {
        const Bytes ink(static_cast<std::size_t>(kTestMarkerSize) * kTestMarkerSize, 255);
        dir.Write(PictureFile(std::string(kSoundMarkerName)), UnpackedTbb(kTestMarkerSize, kTestMarkerSize, ink));
    }
}

}  // namespace velmora::test
