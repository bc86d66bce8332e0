#include "toolkit/WindowFrame.h"

#include <QWidget>
#include <QWindow>

#include "toolkit/Desktop.h"
#include "toolkit/FramePlacement.h"
#include "toolkit/NativeWindow.h"
#include "toolkit/X11FrameExtents.h"

namespace velmora {

QMargins WindowFrame::Of(QWidget& window)
{
    CreateNativeWindow(window);
    QWindow* handle = window.windowHandle();
    if (handle == nullptr)
        return {};
    const QMargins known = handle->frameMargins();
    if (!known.isNull())
        return known;
    return RequestX11FrameExtents(*handle).value_or(QMargins());
}

void WindowFrame::CentreInWorkArea(QWidget& window, QSize minimumClient)
{
    const QMargins frame = Of(window);
    const QRect area = Desktop::WorkArea(&window);
    const QSize outer = window.size().grownBy(frame);
    window.setGeometry(FramedClientRect({CentredIn(area, outer), outer}, frame, area, minimumClient.grownBy(frame)));
}

}  // namespace velmora
