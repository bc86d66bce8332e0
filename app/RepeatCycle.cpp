#include "app/RepeatCycle.h"

namespace velmora::app {

RepeatCycle::RepeatCycle(Hooks hooks, QObject* parent) : QObject(parent), hooks_(std::move(hooks))
{
    // The pause between repetitions is counted in ticks; a coarse timer
    // may run each tick up to 5 % short or long.
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &RepeatCycle::Tick);
    timer_.start();
}

void RepeatCycle::Toggle()
{
    on_ = !on_;
    Apply();
}

void RepeatCycle::Apply()
{
    if (on_) {
        timer_.stop();
        hooks_.stopSound();
        timer_.start();
        countdown_ = 0;
        Tick();
    } else if (timer_.isActive()) {
        // A clip left playing in the idle state goes on alone.
        timer_.stop();
        hooks_.stopSound();
    }
}

void RepeatCycle::Tick()
{
    if (!hooks_.hasSelection()) {
        timer_.stop();
        return;
    }
    if (countdown_ > 0) {
        --countdown_;
    } else if (countdown_ == 0) {
        hooks_.playSelection();
        countdown_ = -1;
    } else if (!hooks_.isSoundPlaying()) {
        // The pause is read when the end is noticed, so a change of the
        // slider affects the next pause, not the one counting.
        countdown_ = PauseTicks(hooks_.pausePosition(), kIntervalMs);
    }
}

std::int32_t RepeatCycle::PauseTicks(std::int32_t position, std::uint32_t intervalMs)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(position) * 100u / intervalMs);
}

std::string RepeatCycle::LabelText(std::int32_t position)
{
    if (position == 0)
        return "Powtarzaj";
    return "Powtarzaj, z odstępem " + std::to_string(position / 10) + "," + std::to_string(position % 10) + " s";
}

}  // namespace velmora::app
