#include "toolkit/DeferredRefresh.h"

#include "toolkit/GuardedCall.h"

namespace velmora {

DeferredRefresh::DeferredRefresh(int intervalMs, std::function<void()> refresh) : refresh_(std::move(refresh))
{
    // A coarse timer may fire 5 % early; the refresh must not come before
    // the interval has passed.
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(intervalMs);
    QObject::connect(&timer_, &QTimer::timeout, &timer_,
                     [this] { CallGuarded("deferred refresh", [this] { RefreshNow(); }); });
}

void DeferredRefresh::Suspend()
{
    suspended_ = true;
    timer_.start();
}

void DeferredRefresh::RefreshNow()
{
    Cancel();
    refresh_();
}

void DeferredRefresh::Cancel()
{
    timer_.stop();
    suspended_ = false;
}

}  // namespace velmora
