#include "toolkit/FontHeight.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

#include "toolkit/OnceCache.h"

namespace velmora {

namespace {

constexpr int kLargestCellHeight = 4096;
constexpr int kReferencePixelSize = 100;

int CellHeightAt(QFont font, int pixelSize)
{
    font.setPixelSize(pixelSize);
    const QFontMetrics metrics(font);
    return metrics.ascent() + metrics.descent();
}

// Guesses from the proportion at a large size, then corrects by single steps:
// rounding of the metrics makes the cell height only roughly proportional.
int SearchPixelSize(const QFont& font, int cellHeight)
{
    const int referenceCell = std::max(CellHeightAt(font, kReferencePixelSize), 1);
    int size =
        std::clamp(static_cast<int>(std::lround(static_cast<double>(cellHeight) * kReferencePixelSize / referenceCell)),
                   1, 2 * kLargestCellHeight);
    while (size > 1 && CellHeightAt(font, size) > cellHeight)
        --size;
    while (size < 2 * kLargestCellHeight && CellHeightAt(font, size + 1) <= cellHeight)
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
    // Process-wide: the start searches the main window's fonts on a thread
    // of its own while the splash shows.
    static OnceCache<QString, int> cache;
    return cache.Get(CacheKey(font, cellHeight), [&] { return SearchPixelSize(font, cellHeight); });
}

QFont FontHeight::WithCellHeight(QFont font, int cellHeight)
{
    font.setPixelSize(PixelSizeForCellHeight(font, cellHeight));
    return font;
}

}  // namespace velmora
