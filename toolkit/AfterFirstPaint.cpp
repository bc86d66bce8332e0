#include "toolkit/AfterFirstPaint.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <utility>

namespace velmora {
namespace {

// Watches the window's paint events until the action has run; it belongs to
// the window, so it goes with it.
class FirstPaintWatch final : public QObject {
public:
    FirstPaintWatch(QWidget& window, std::function<void()> action, int latestMs)
        : QObject(&window), action_(std::move(action))
    {
        window.installEventFilter(this);
        QTimer::singleShot(latestMs, this, &FirstPaintWatch::Run);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        // Queued: the painting this event starts is flushed to the screen
        // before the action runs.
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, this, &FirstPaintWatch::Run);
        return false;
    }

private:
    void Run()
    {
        if (!action_)
            return;
        const std::function<void()> action = std::exchange(action_, nullptr);
        deleteLater();
        action();
    }

    std::function<void()> action_;
};

}  // namespace

void AfterFirstPaint(QWidget& window, std::function<void()> action, int latestMs)
{
    new FirstPaintWatch(window, std::move(action), latestMs);
}

}  // namespace velmora
