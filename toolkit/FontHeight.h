#pragma once

#include <QFont>

namespace velmora {

// The two ways window descriptions give a font's height in pixels.
// The character height is the em size (the glyphs without internal leading);
// the cell height is the whole line cell, ascent + descent, internal leading
// included.
class FontHeight {
public:
    // `font` with its pixel size set to `pixels` (at least 1).
    static QFont WithCharacterHeight(QFont font, int pixels);

    // The largest pixel size at which `font`'s ascent + descent does not exceed
    // `cellHeight`, at least 1. Results are cached per family, style and cell
    // height; cell heights are taken within 1 .. 4096. Any thread may ask: a
    // search another thread is running for the same font and cell height is
    // waited for, not repeated.
    static int PixelSizeForCellHeight(const QFont& font, int cellHeight);
    // `font` with its pixel size set so that its cell height is `cellHeight`.
    static QFont WithCellHeight(QFont font, int cellHeight);
};

}  // namespace velmora
