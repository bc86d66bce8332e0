#include "toolkit/FramePlacement.h"

#include <algorithm>

namespace velmora {
namespace {

// One axis: a window of `length` at `start` within [areaStart, areaStart +
// areaLength), as large as it may be.
struct Span {
    int start;
    int length;
};

Span FitSpan(Span window, int areaStart, int areaLength, int minimum)
{
    const int length = std::max(std::min(window.length, areaLength), minimum);
    const int start = std::max(std::min(window.start, areaStart + areaLength - length), areaStart);
    return {start, length};
}

}  // namespace

QRect FramedClientRect(const QRect& outer, const QMargins& frame, const QRect& workArea, const QSize& minimumOuter)
{
    const Span x = FitSpan({outer.left(), outer.width()}, workArea.left(), workArea.width(), minimumOuter.width());
    const Span y = FitSpan({outer.top(), outer.height()}, workArea.top(), workArea.height(), minimumOuter.height());
    return QRect(x.start, y.start, x.length, y.length).marginsRemoved(frame);
}

QSize ClientSize(const QSize& outer, const QMargins& frame)
{
    return outer.shrunkBy(frame);
}

QPoint CentredIn(const QRect& workArea, QSize outer)
{
    return {workArea.left() + (workArea.width() - outer.width()) / 2,
            workArea.top() + (workArea.height() - outer.height()) / 2};
}

}  // namespace velmora
