#include "toolkit/WindowFrame.h"

#include <QWidget>
#include <QWindow>

#include "toolkit/X11FrameExtents.h"

namespace velmora {

QMargins WindowFrame::Of(QWidget& window)
{
    window.winId();
    QWindow* handle = window.windowHandle();
    if (handle == nullptr)
        return {};
    const QMargins known = handle->frameMargins();
    if (!known.isNull())
        return known;
    return RequestX11FrameExtents(*handle).value_or(QMargins());
}

}  // namespace velmora
