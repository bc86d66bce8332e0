#pragma once

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <string>

namespace velmora::app {

// The repetition of the selected item: a 50 ms timer that plays it, polls
// the output until the clip has ended, counts the pause down and plays it
// again. The window supplies what to play and how to ask the output.
//
// countdown > 0: ticks of the pause left; 0: play at the next tick;
// < 0: a clip was started and its end is awaited.
class RepeatCycle : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 50;

    struct Hooks {
        std::function<bool()> hasSelection;  // a group and one of its items are selected
        std::function<void()> playSelection;
        std::function<void()> stopSound;
        std::function<bool()> isSoundPlaying;
        std::function<std::int32_t()> pausePosition;  // tenths of a second
    };

    // The timer runs from construction; its first tick finds nothing
    // selected and stops it.
    explicit RepeatCycle(Hooks hooks, QObject* parent = nullptr);

    bool IsOn() const { return on_; }
    // Switches repetition and applies it: on restarts the cycle with an
    // immediate tick, off stops the timer and the clip if it was running.
    void Toggle();
    // Restarts (on) or stops (off) the cycle; called when the selected item
    // changes too.
    void Apply();
    // One period of the cycle; the timer calls it.
    void Tick();

    // Ticks of the timer in the pause after a clip: position x 100 ms over
    // the timer interval.
    static std::int32_t PauseTicks(std::int32_t position, std::uint32_t intervalMs);
    // The text of the repetition label for a pause position (tenths of a second).
    static std::string LabelText(std::int32_t position);

    bool IsTimerActive() const { return timer_.isActive(); }
    std::int32_t Countdown() const { return countdown_; }

private:
    Hooks hooks_;
    QTimer timer_;
    bool on_ = false;
    std::int32_t countdown_ = 1;
};

}  // namespace velmora::app
