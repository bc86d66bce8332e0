// velmora-content pack / unpack: pictures to and from the packed format.

#include <QImage>

#include "core/FileStream.h"
#include "core/MemoryStream.h"
#include "graphics/CoveragePicture.h"
#include "tools/Commands.h"
#include "tools/PictureFiles.h"
#include "tools/TbbWriter.h"

namespace velmora::tool {

const char* const kPackHelp = "usage: velmora-content pack IN.png OUT.tbb\n"
                              "Packs a picture into the program's packed picture format. The ink coverage\n"
                              "is the picture's alpha when it has one, otherwise its darkness (black is full\n"
                              "ink, white is background), kept to seven bits.\n";

const char* const kUnpackHelp = "usage: velmora-content unpack IN.tbb OUT.png\n"
                                "Writes a packed (or unpacked) picture file as a grey PNG, ink dark on white.\n"
                                "Packing the PNG again gives the same file contents.\n";

int RunPack(const Arguments& args)
{
    CoveragePicture coverage;
    std::string error;
    if (!ReadCoverageFile(args[0], coverage, error)) {
        return Fail("pack", error);
    }
    const std::vector<std::uint8_t> file = PackTbb(coverage);
    if (!WriteBytes(args[1], file.data(), file.size(), error)) {
        return Fail("pack", error);
    }
    return kExitOk;
}

int RunUnpack(const Arguments& args)
{
    // The largest file a picture of kMaxPixels takes, packed or not.
    constexpr std::size_t kMaxTbbBytes = 16 + 2 * static_cast<std::size_t>(CoveragePicture::kMaxPixels);
    std::vector<std::uint8_t> file;
    LoadError reason = LoadError::None;
    if (!ReadWholeFile(args[0], file, kMaxTbbBytes, &reason, FileKinds::Any))
        return Fail("unpack", args[0] + ": " + LoadErrorText(reason));
    CoveragePicture coverage;
    MemoryStream stream(std::move(file));
    if (!coverage.LoadFromStream(stream, &reason))
        return Fail("unpack", args[0] + ": " + LoadErrorText(reason));
    if (coverage.Width() == 0 || coverage.Height() == 0)
        return Fail("unpack", args[0] + ": the picture has no pixels, and a PNG cannot be empty");
    std::vector<std::uint8_t> png;
    std::string error;
    if (!EncodeImage(ImageFromCoverage(coverage), "PNG", -1, png))
        return Fail("unpack", "cannot encode the picture as PNG");
    if (!WriteBytes(args[1], png.data(), png.size(), error))
        return Fail("unpack", error);
    return kExitOk;
}

}  // namespace velmora::tool
