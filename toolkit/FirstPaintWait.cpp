#include "toolkit/FirstPaintWait.h"

#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

namespace velmora {

FirstPaintWait::FirstPaintWait(QWidget& window) : window_(&window)
{
    window.installEventFilter(this);
}

FirstPaintWait::~FirstPaintWait()
{
    if (window_)
        window_->removeEventFilter(this);
}

void FirstPaintWait::Wait(int latestMs)
{
    if (painted_)
        return;
    QEventLoop loop;
    loop_ = &loop;
    QTimer::singleShot(latestMs, &loop, &QEventLoop::quit);
    loop.exec();
    loop_ = nullptr;
}

bool FirstPaintWait::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Paint && !painted_) {
        painted_ = true;
        // Queued: the painting this event starts is flushed to the screen
        // before the wait ends.
        if (loop_ != nullptr)
            QMetaObject::invokeMethod(loop_, &QEventLoop::quit, Qt::QueuedConnection);
    }
    return false;
}

}  // namespace velmora
