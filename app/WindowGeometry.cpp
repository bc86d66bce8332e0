#include "app/WindowGeometry.h"

#include <QCoreApplication>
#include <QResizeEvent>
#include <QWidget>

#include "app/MainWindowLayout.h"
#include "toolkit/FramePlacement.h"

namespace velmora::app {

void ResizeNow(QWidget& window, QSize size)
{
    window.resize(size);
    SendPendingResize(window);
}

void SendPendingResize(QWidget& window)
{
    if (!window.testAttribute(Qt::WA_PendingResizeEvent))
        return;
    // What Qt sends when the window is shown; clearing the flag first keeps
    // it from being sent a second time then. Qt gives no old size for the
    // first one either.
    window.setAttribute(Qt::WA_PendingResizeEvent, false);
    QResizeEvent event(window.size(), QSize());
    QCoreApplication::sendEvent(&window, &event);
}

QRect MainWindowGeometry(const QRect& area, const QMargins& frame)
{
    const Rect place = layout::MainWindowPlacement({area.left(), area.top(), area.width(), area.height()});
    return FramedClientRect({place.left, place.top, place.width, place.height}, frame, area,
                            {layout::kMinimumWidth, layout::kMinimumHeight});
}

QSize MainWindowMinimumSize(const QMargins& frame)
{
    return ClientSize({layout::kMinimumWidth, layout::kMinimumHeight}, frame);
}

}  // namespace velmora::app
