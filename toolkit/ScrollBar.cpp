#include "toolkit/ScrollBar.h"

#include <QPainter>
#include <QStyleOptionSlider>

namespace velmora {

ScrollBar::ScrollBar(Qt::Orientation orientation, QWidget* parent) : QScrollBar(orientation, parent)
{}

void ScrollBar::paintEvent(QPaintEvent* event)
{
    if (isEnabled()) {
        QScrollBar::paintEvent(event);
        return;
    }
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls &= ~QStyle::SC_ScrollBarSlider;
    QPainter painter(this);
    style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, this);
}

}  // namespace velmora
