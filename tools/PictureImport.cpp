#include "tools/PictureImport.h"

#include <QImage>
#include <QImageReader>

#include <memory>

#include "graphics/Resample.h"

namespace velmora::tool {

namespace {

// The largest picture read, in MiB of decoded pixels: photos of some 60
// million pixels, while a hostile header cannot take the memory.
constexpr int kAllocationLimitMiB = 256;

// The picture laid onto white, as grey levels (blue = green = red): the form
// in which the program renders a picture before it resamples it.
std::unique_ptr<Bitmap> GreyOnWhite(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    auto grey = NewBitmap24(argb.width(), argb.height());
    for (int row = 0; row < argb.height(); ++row) {
        const auto* in = reinterpret_cast<const QRgb*>(argb.constScanLine(row));
        std::uint8_t* out = grey->ScanLine(row);
        for (int col = 0; col < argb.width(); ++col) {
            const int alpha = qAlpha(in[col]);
            const auto onWhite = [alpha](int channel) { return (channel * alpha + 255 * (255 - alpha) + 127) / 255; };
            const auto level = static_cast<std::uint8_t>(
                qGray(onWhite(qRed(in[col])), onWhite(qGreen(in[col])), onWhite(qBlue(in[col]))));
            out[3 * col] = out[3 * col + 1] = out[3 * col + 2] = level;
        }
    }
    return grey;
}

// Each row (or column) twice: the resampling cannot shrink one side while
// the other keeps its size, but it averages a doubled side back exactly.
std::unique_ptr<Bitmap> Doubled(const Bitmap& source, bool rows)
{
    auto doubled =
        NewBitmap24(rows ? source.Width() : source.Width() * 2, rows ? source.Height() * 2 : source.Height());
    for (int row = 0; row < doubled->Height(); ++row) {
        const std::uint8_t* in = source.ScanLine(rows ? row / 2 : row);
        std::uint8_t* out = doubled->ScanLine(row);
        for (int col = 0; col < doubled->Width(); ++col) {
            const int from = rows ? col : col / 2;
            out[3 * col] = in[3 * from];
            out[3 * col + 1] = in[3 * from + 1];
            out[3 * col + 2] = in[3 * from + 2];
        }
    }
    return doubled;
}

std::unique_ptr<Bitmap> Reduced(std::unique_ptr<Bitmap> grey, PictureSize size)
{
    if (size.width == grey->Width() && size.height == grey->Height())
        return grey;
    if (size.height == grey->Height())
        grey = Doubled(*grey, true);
    else if (size.width == grey->Width())
        grey = Doubled(*grey, false);
    auto reduced = NewBitmap24(size.width, size.height);
    StretchBitmap(reduced.get(), grey.get());
    return reduced;
}

void StoreCoverage(const Bitmap& grey, CoveragePicture& coverage)
{
    coverage.Clear();
    coverage.SetSize(grey.Width(), grey.Height());
    for (int row = 0; row < grey.Height(); ++row) {
        const std::uint8_t* in = grey.ScanLine(row);
        std::uint8_t* out = coverage.Data() + static_cast<std::size_t>(row) * grey.Width();
        for (int col = 0; col < grey.Width(); ++col)
            out[col] = static_cast<std::uint8_t>(255 - in[3 * col]);
    }
}

}  // namespace

bool ImportPicture(const QImage& image, PictureUses uses, CoveragePicture& coverage, std::string& error,
                   PictureSize* original)
{
    if (image.isNull() || image.width() < 1 || image.height() < 1) {
        error = "the picture is empty";
        return false;
    }
    if (original != nullptr)
        *original = {image.width(), image.height()};
    const PictureSize size = FittingSize({image.width(), image.height()}, uses);
    StoreCoverage(*Reduced(GreyOnWhite(image), size), coverage);
    return true;
}

bool ImportPicture(const std::string& path, PictureUses uses, CoveragePicture& coverage, std::string& error,
                   PictureSize* original)
{
    QImageReader reader(QString::fromStdString(path));
    reader.setAllocationLimit(kAllocationLimitMiB);
    QImage image;
    if (!reader.read(&image)) {
        error = reader.error() == QImageReader::UnsupportedFormatError
                    ? std::string("not a picture in a format the tool reads")
                    : "not a readable picture (" + reader.errorString().toStdString() + ")";
        return false;
    }
    return ImportPicture(image, uses, coverage, error, original);
}

}  // namespace velmora::tool
