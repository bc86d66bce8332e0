#include "app/WindowGeometry.h"

#include <QCoreApplication>
#include <QResizeEvent>
#include <QWidget>

namespace velmora::app {

void ResizeNow(QWidget& window, QSize size)
{
    const QSize old = window.size();
    window.resize(size);
    if (!window.testAttribute(Qt::WA_PendingResizeEvent))
        return;
    // What Qt sends when the window is shown; clearing the flag first keeps
    // it from being sent a second time then.
    window.setAttribute(Qt::WA_PendingResizeEvent, false);
    QResizeEvent event(window.size(), old);
    QCoreApplication::sendEvent(&window, &event);
}

}  // namespace velmora::app
