#pragma once

#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

namespace velmora {

// The screen a window is on: its whole size and its work area (the desktop
// without task bars and panels). Without a widget, or for one not on any
// screen yet, the primary screen answers; with no screen at all, empty values.
class Desktop {
public:
    static QRect WorkArea(const QWidget* widget = nullptr);
    static QSize ScreenSize(const QWidget* widget = nullptr);

private:
    static QScreen* ScreenOf(const QWidget* widget);
};

}  // namespace velmora
