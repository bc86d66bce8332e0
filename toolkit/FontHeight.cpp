#include "toolkit/FontHeight.h"

#include <QFontMetrics>
#include <QRawFont>

#include <algorithm>
#include <cmath>
#include <utility>

#include "toolkit/OnceCache.h"

namespace velmora {

namespace {

constexpr int kLargestCellHeight = 4096;
constexpr int kReferencePixelSize = 100;

// The cell heights of one font at any pixel size, measured on copies of the
// font's own face at those sizes: asking the font database for each size
// would have fontconfig match the font anew every time, several times
// slower. Only an outline face (one with a TrueType header) is copied: a
// bitmap font may come in one file per size, which the database would choose
// by size.
class CellHeights {
public:
    explicit CellHeights(QFont font) : font_(std::move(font))
    {
        font_.setPixelSize(kReferencePixelSize);
        face_ = QRawFont::fromFont(font_);
        if (face_.fontTable("head").isEmpty())
            face_ = QRawFont();
    }

    int At(int pixelSize)
    {
        QRawFont sized(face_);
        sized.setPixelSize(pixelSize);
        // Rounded as QFontMetrics rounds them.
        if (sized.isValid())
            return qRound(sized.ascent()) + qRound(sized.descent());
        // A face not copied, or one that cannot be copied at another size
        // (the toolkit's stand-in when no font is installed), is asked for
        // through the database.
        font_.setPixelSize(pixelSize);
        const QFontMetrics metrics(font_);
        return metrics.ascent() + metrics.descent();
    }

private:
    QFont font_;
    QRawFont face_;
};

// Guesses from the proportion at a large size, then corrects by single steps:
// rounding of the metrics makes the cell height only roughly proportional.
int SearchPixelSize(const QFont& font, int cellHeight)
{
    CellHeights cells(font);
    const int referenceCell = std::max(cells.At(kReferencePixelSize), 1);
    int size =
        std::clamp(static_cast<int>(std::lround(static_cast<double>(cellHeight) * kReferencePixelSize / referenceCell)),
                   1, 2 * kLargestCellHeight);
    while (size > 1 && cells.At(size) > cellHeight)
        --size;
    while (size < 2 * kLargestCellHeight && cells.At(size + 1) <= cellHeight)
        ++size;
    return size;
}

QString CacheKey(QFont font, int cellHeight)
{
    font.setPixelSize(1);
    return font.key() + QLatin1Char('|') + QString::number(cellHeight);
}

}  // namespace

QFont FontHeight::WithCharacterHeight(QFont font, int pixels)
{
    font.setPixelSize(std::max(pixels, 1));
    return font;
}

int FontHeight::PixelSizeForCellHeight(const QFont& font, int cellHeight)
{
    cellHeight = std::clamp(cellHeight, 1, kLargestCellHeight);
    // Process-wide: any thread may ask.
    static OnceCache<QString, int> cache;
    return cache.Get(CacheKey(font, cellHeight), [&] { return SearchPixelSize(font, cellHeight); });
}

QFont FontHeight::WithCellHeight(QFont font, int cellHeight)
{
    font.setPixelSize(PixelSizeForCellHeight(font, cellHeight));
    return font;
}

}  // namespace velmora
