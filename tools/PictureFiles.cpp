#include "tools/PictureFiles.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <limits>

#include "tools/PictureImport.h"

namespace velmora::tool {

namespace {

// The packed format's size limits, applied to the size a header declares
// before anything is decoded as well as to the decoded picture.
bool FitsPackedFormat(int width, int height, std::string& error)
{
    const std::int64_t pixels = static_cast<std::int64_t>(width) * height;
    if (width <= CoveragePicture::kMaxDimension && height <= CoveragePicture::kMaxDimension &&
        pixels <= CoveragePicture::kMaxPixels)
        return true;
    error = "picture of " + std::to_string(width) + "x" + std::to_string(height) +
            " pixels is larger than a packed picture may be (100,000 per side, 8,388,608 in all)";
    return false;
}

}  // namespace

bool CoverageFromImage(const QImage& image, CoveragePicture& coverage, std::string& error)
{
    if (!FitsPackedFormat(image.width(), image.height(), error))
        return false;
    if (image.width() == 0 || image.height() == 0) {
        coverage.Clear();
        return true;
    }
    return ImportPicture(image, PictureUses{}, coverage, error);
}

QImage ImageFromCoverage(const CoveragePicture& coverage)
{
    QImage image(coverage.Width(), coverage.Height(), QImage::Format_Grayscale8);
    for (int row = 0; row < coverage.Height(); ++row) {
        const std::uint8_t* in = coverage.Data() + static_cast<std::size_t>(row) * coverage.Width();
        std::uint8_t* out = image.scanLine(row);
        for (int col = 0; col < coverage.Width(); ++col)
            out[col] = static_cast<std::uint8_t>(255 - in[col]);
    }
    return image;
}

namespace {

bool ReadCoverage(QImageReader& reader, CoveragePicture& coverage, std::string& error)
{
    // A header may claim any size; Qt refuses pictures above this many MiB
    // before decoding, which keeps a hostile file from taking the memory.
    reader.setAllocationLimit(256);
    // A picture that cannot be packed is refused by its header, not decoded.
    if (const QSize declared = reader.size();
        declared.isValid() && !FitsPackedFormat(declared.width(), declared.height(), error))
        return false;
    QImage image;
    if (!reader.read(&image)) {
        error = reader.errorString().toStdString();
        return false;
    }
    return CoverageFromImage(image, coverage, error);
}

}  // namespace

bool EncodeImage(const QImage& image, const char* format, int quality, std::vector<std::uint8_t>& bytes)
{
    QByteArray encoded;
    QBuffer buffer(&encoded);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, format, quality))
        return false;
    bytes.assign(encoded.begin(), encoded.end());
    return true;
}

bool ReadCoverageFile(const std::string& path, CoveragePicture& coverage, std::string& error)
{
    QImageReader reader(QString::fromStdString(path));
    if (ReadCoverage(reader, coverage, error))
        return true;
    error = "cannot read " + path + ": " + error;
    return false;
}

bool DecodeCoverage(const std::uint8_t* data, std::size_t size, CoveragePicture& coverage, std::string& error)
{
    if (size > static_cast<std::size_t>(std::numeric_limits<qsizetype>::max())) {
        error = "file too large";
        return false;
    }
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return ReadCoverage(reader, coverage, error);
}

}  // namespace velmora::tool
