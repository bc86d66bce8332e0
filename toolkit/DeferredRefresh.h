#pragma once

#include <QTimer>

#include <functional>

namespace velmora {

// A window's delayed redraw. Costly drawing waits until changes (a resize
// step, a new layout) have stopped for the interval: each Suspend marks the
// painting suspended and starts the wait again; when it ends, painting
// resumes and `refresh` runs once. The wait is never cut short.
class DeferredRefresh {
public:
    DeferredRefresh(int intervalMs, std::function<void()> refresh);
    DeferredRefresh(const DeferredRefresh&) = delete;
    DeferredRefresh& operator=(const DeferredRefresh&) = delete;

    void Suspend();
    // Resumes and refreshes at once, dropping a pending wait.
    void RefreshNow();
    // Resumes without refreshing: a hidden window's pending redraw will not
    // come, and left suspended its next showing would draw nothing.
    void Cancel();
    bool Suspended() const { return suspended_; }

private:
    QTimer timer_;
    bool suspended_ = false;
    std::function<void()> refresh_;
};

}  // namespace velmora
