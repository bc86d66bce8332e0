#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

namespace velmora {

// Click, mouse-enter and mouse-leave notifications for any widget (labels,
// pictures, panels), attached from outside so the widget keeps its own class.
// A click is a left press and a left release both inside the widget.
class MouseNotifier : public QObject {
    Q_OBJECT

public:
    // The notifier of `widget`, created on first use and owned by the widget.
    static MouseNotifier& On(QWidget& widget);

    void SetOnClick(std::function<void()> handler) { onClick_ = std::move(handler); }
    void SetOnMouseEnter(std::function<void()> handler) { onEnter_ = std::move(handler); }
    void SetOnMouseLeave(std::function<void()> handler) { onLeave_ = std::move(handler); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit MouseNotifier(QWidget& widget);

    QPointer<QWidget> widget_;
    bool leftPressed_ = false;
    std::function<void()> onClick_;
    std::function<void()> onEnter_;
    std::function<void()> onLeave_;
};

}  // namespace velmora
