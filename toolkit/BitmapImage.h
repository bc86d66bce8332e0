#pragma once

#include <QImage>

namespace velmora {

class Bitmap;

// QImage views of a bitmap's pixels, without copying them: 8 bits per pixel
// as Format_Indexed8 with the bitmap's palette as colour table, 24 bits as
// Format_BGR888 (bytes blue, green, red), 32 bits as Format_RGB32 (whose
// fourth byte Qt expects to be 0xFF). Rows keep the bitmap's stride.
//
// A view is valid while the bitmap lives and keeps its size and format; an
// empty bitmap gives a null image. This is the only place the toolkit layer
// touches the bitmap type.
class BitmapImage {
public:
    // Read-only: writing through the QImage detaches it into a private copy.
    static QImage View(const Bitmap& bitmap);
    // Writable: setPixel, and a QPainter on a 24- or 32-bit view (Qt paints
    // on no indexed format), change the bitmap's own pixels.
    static QImage WritableView(Bitmap& bitmap);
};

}  // namespace velmora
