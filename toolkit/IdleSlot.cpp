#include "toolkit/IdleSlot.h"

#include "toolkit/GuardedCall.h"

#include <QCoreApplication>
#include <QPointer>

namespace velmora {

IdleSlot::IdleSlot(QObject& application) : QObject(&application)
{
    // A zero-interval timer fires once the events already queued have been
    // handled: the event loop's notion of "idle".
    timer_.setSingleShot(true);
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, [this] { RunHandler(); });
}

IdleSlot* IdleSlot::Instance()
{
    // Owned by the application, so it goes with it; a later application gets
    // a fresh slot.
    static QPointer<IdleSlot> instance;
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr)
        return nullptr;
    if (!instance)
        instance = new IdleSlot(*application);
    return instance;
}

void IdleSlot::Set(Handler handler)
{
    if (IdleSlot* slot = Instance())
        slot->Install(std::move(handler));
}

void IdleSlot::Clear()
{
    if (IdleSlot* slot = Instance())
        slot->Remove();
}

bool IdleSlot::IsSet()
{
    const IdleSlot* slot = Instance();
    return slot != nullptr && slot->handler_ != nullptr;
}

void IdleSlot::Install(Handler handler)
{
    if (!handler) {
        Remove();
        return;
    }
    const bool wasSet = handler_ != nullptr;
    handler_ = std::make_shared<Handler>(std::move(handler));
    waitingForEvent_ = false;
    if (!wasSet)
        QCoreApplication::instance()->installEventFilter(this);
    if (running_)
        replacedWhileRunning_ = true;  // started when the running one returns
    else
        timer_.start();
}

void IdleSlot::Remove()
{
    if (handler_ != nullptr)
        QCoreApplication::instance()->removeEventFilter(this);
    handler_.reset();
    timer_.stop();
    waitingForEvent_ = false;
}

void IdleSlot::RunHandler()
{
    if (handler_ == nullptr || running_)
        return;
    // The copy keeps the function alive if it clears or replaces the slot.
    const std::shared_ptr<Handler> handler = handler_;
    bool done = true;
    running_ = true;
    replacedWhileRunning_ = false;
    const bool finished = CallGuarded("idle handler", [&] { (*handler)(done); });
    running_ = false;
    if (!finished && handler_ == handler) {
        Remove();
        return;
    }
    if (handler_ == nullptr)
        return;
    if (replacedWhileRunning_ || !done)
        timer_.start();
    else
        waitingForEvent_ = true;
}

bool IdleSlot::eventFilter(QObject* watched, QEvent* event)
{
    Q_UNUSED(watched);
    Q_UNUSED(event);
    // Events the handler causes while it runs (sent ones, nested event loops)
    // are not "the next event". The idle timer's own event needs no test: it
    // passes this filter before the handler runs and sets waitingForEvent_.
    if (waitingForEvent_ && !running_) {
        waitingForEvent_ = false;
        timer_.start();
    }
    return false;
}

}  // namespace velmora
