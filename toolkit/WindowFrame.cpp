#include "toolkit/WindowFrame.h"

#include <QWidget>
#include <QWindow>

#include "toolkit/Desktop.h"
#include "toolkit/FramePlacement.h"
#include "toolkit/X11FrameExtents.h"

namespace velmora {
namespace {

// Creates a top-level widget's native window the way showing it does. Not
// winId(): that marks the widget native, and a native widget with a parent
// makes all the parent's children native too, so asking about a dialog the
// main window owns would give each of the main window's panels an X window
// of its own. QWidget::create is protected; a pointer to it taken through a
// derived class may be applied to any widget.
struct NativeWindow : QWidget {
    static void Create(QWidget& window) { (window.*&NativeWindow::create)(0, true, true); }
};

}  // namespace

QMargins WindowFrame::Of(QWidget& window)
{
    NativeWindow::Create(window);
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
