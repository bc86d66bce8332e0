#pragma once

#include <QObject>
#include <QPointer>

class QEvent;
class QEventLoop;
class QWidget;

namespace velmora {

// Waits, running the event loop, until a window has first been painted.
// Made before the window is shown, it sees a painting that comes at once as
// well as one a window manager holds back until it has framed the window,
// which comes only after the events pending at the showing.
class FirstPaintWait final : public QObject {
public:
    explicit FirstPaintWait(QWidget& window);
    ~FirstPaintWait() override;
    FirstPaintWait(const FirstPaintWait&) = delete;
    FirstPaintWait& operator=(const FirstPaintWait&) = delete;

    // Returns once the window has been painted and the painting flushed,
    // or when `latestMs` have passed; at once if it was painted before.
    void Wait(int latestMs);
    bool Painted() const { return painted_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> window_;
    bool painted_ = false;
    QEventLoop* loop_ = nullptr;
};

}  // namespace velmora
