#include "toolkit/MouseNotifier.h"

#include "toolkit/GuardedCall.h"

#include <QMouseEvent>
#include <QWidget>

namespace velmora {

MouseNotifier& MouseNotifier::On(QWidget& widget)
{
    if (auto* existing = widget.findChild<MouseNotifier*>(QString(), Qt::FindDirectChildrenOnly))
        return *existing;
    return *new MouseNotifier(widget);
}

MouseNotifier::MouseNotifier(QWidget& widget) : QObject(&widget), widget_(&widget)
{
    widget.installEventFilter(this);
}

bool MouseNotifier::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != widget_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            leftPressed_ = true;
        break;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !leftPressed_)
            break;
        leftPressed_ = false;
        if (onClick_ && widget_->rect().contains(mouse->position().toPoint()))
            CallGuarded("click handler", onClick_);
        break;
    }
    case QEvent::Enter:
        if (onEnter_)
            CallGuarded("mouse-enter handler", onEnter_);
        break;
    case QEvent::Leave:
        if (onLeave_)
            CallGuarded("mouse-leave handler", onLeave_);
        break;
    default: break;
    }
    return false;
}

}  // namespace velmora
