#include "toolkit/WidgetColours.h"

#include <QPalette>
#include <QWidget>

namespace velmora {

void WidgetColours::SetBackground(QWidget& widget, const QColor& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void WidgetColours::SetText(QWidget& widget, const QColor& colour)
{
    QPalette palette = widget.palette();
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, colour);
    widget.setPalette(palette);
}

}  // namespace velmora
