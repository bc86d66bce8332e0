#pragma once

class QWidget;

namespace velmora {

// Makes a top-level widget's native window, as showing it first would, so
// that the window system and the accessibility bus know it before it shows.
// Unlike QWidget::winId(), it does not mark the widget native: a native
// widget with a parent makes all the parent's other children native too, and
// a dialog owned by the main window would give each of the main window's
// panels an X window of its own.
void CreateNativeWindow(QWidget& window);

}  // namespace velmora
