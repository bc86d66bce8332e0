#include "toolkit/Panel.h"

#include "toolkit/GuardedCall.h"

#include <QPainter>

namespace velmora {

Panel::Panel(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::NoFrame);
}

void Panel::SetBevelWidth(int width)
{
    if (width <= 0) {
        setFrameStyle(QFrame::NoFrame);
        return;
    }
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(width);
}

void Panel::SetCaption(const QString& caption)
{
    caption_ = caption;
    update();
}

void Panel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (caption_.isEmpty())
        return;
    QPainter painter(this);
    painter.drawText(contentsRect(), Qt::AlignCenter, caption_);
}

void Panel::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    if (onResize_)
        CallGuarded("Panel resize handler", onResize_);
}

}  // namespace velmora
