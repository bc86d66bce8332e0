#include "toolkit/Desktop.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace velmora {

QScreen* Desktop::ScreenOf(const QWidget* widget)
{
    if (widget != nullptr)
        if (QScreen* screen = widget->screen())
            return screen;
    return QGuiApplication::primaryScreen();
}

QRect Desktop::WorkArea(const QWidget* widget)
{
    const QScreen* screen = ScreenOf(widget);
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

QSize Desktop::ScreenSize(const QWidget* widget)
{
    const QScreen* screen = ScreenOf(widget);
    return screen != nullptr ? screen->geometry().size() : QSize();
}

}  // namespace velmora
