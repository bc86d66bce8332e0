#include "toolkit/Pressable.h"

#include "toolkit/AccessibleFactory.h"
#include "toolkit/GuardedCall.h"

#include <QAbstractButton>
#include <QFrame>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

namespace velmora {

namespace {

// Inside the border a style draws around a push button.
constexpr int kButtonInset = 3;

bool IsPressKey(const QKeyEvent& key)
{
    const bool plain = (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    return plain && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Space);
}

}  // namespace

Pressable& Pressable::Make(QWidget& widget, Kind kind, const QString& name, std::function<void()> onPress)
{
    Pressable* pressable = Of(widget);
    if (pressable == nullptr)
        pressable = new Pressable(widget);
    pressable->kind_ = kind;
    pressable->onPress_ = std::move(onPress);
    widget.setFocusPolicy(Qt::StrongFocus);
    pressable->SetName(name);
    AccessibleFactory::Install();
    AccessibleFactory::Forget(widget);
    return *pressable;
}

Pressable& Pressable::MakeButton(QAbstractButton& button, const QColor& focusMark)
{
    Pressable& pressable = Make(button, Kind::Button, button.text(), [&button] { button.click(); });
    pressable.SetFocusMarkColour(focusMark);
    return pressable;
}

Pressable* Pressable::Of(const QWidget& widget)
{
    return widget.findChild<Pressable*>(QString(), Qt::FindDirectChildrenOnly);
}

Pressable::Pressable(QWidget& widget) : QObject(&widget), widget_(&widget)
{
    widget.installEventFilter(this);
}

void Pressable::Press()
{
    if (onPress_)
        CallGuarded("press handler", onPress_);
}

void Pressable::SetName(const QString& name)
{
    if (widget_)
        widget_->setAccessibleName(name);
}

void Pressable::SetFocusMarkColour(const QColor& colour)
{
    focusMarkColour_ = colour;
    if (widget_)
        widget_->update();
}

QAccessible::Role Pressable::Role() const
{
    return kind_ == Kind::Link ? QAccessible::Link : QAccessible::PushButton;
}

bool Pressable::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != widget_)
        return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // The press keys are the button's, even where the window has them
        // as keys of its own.
        if (IsPressKey(static_cast<const QKeyEvent&>(*event)))
            event->accept();
        return false;
    case QEvent::KeyPress: {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (!IsPressKey(key))
            return false;
        // Holding the key down presses once.
        if (!key.isAutoRepeat())
            Press();
        return true;
    }
    case QEvent::FocusIn:
        // The mark is for the keyboard: a press leaves the look as it was.
        keyboardFocus_ = static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason;
        widget_->update();
        return false;
    case QEvent::FocusOut: widget_->update(); return false;
    case QEvent::Paint:
        if (!widget_->hasFocus() || !keyboardFocus_ || !focusMarkColour_.isValid())
            return false;
        PaintWithFocusMark(*event);
        return true;
    default: return false;
    }
}

void Pressable::PaintWithFocusMark(QEvent& paint)
{
    // The widget paints itself first; the mark goes on top, inside the
    // paint event Qt is delivering.
    static_cast<QObject*>(widget_.data())->event(&paint);
    QPainter painter(widget_.data());
    painter.setPen(QPen(focusMarkColour_, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    // Inside a bevel, or along the edge of a frameless widget (a label
    // sized to its text would have the mark across its letters).
    const auto* frame = qobject_cast<const QFrame*>(widget_.data());
    int inset = frame != nullptr && frame->frameWidth() > 0 ? frame->frameWidth() + 1 : 0;
    if (qobject_cast<const QAbstractButton*>(widget_.data()) != nullptr)
        inset = kButtonInset;
    painter.drawRect(widget_->rect().adjusted(inset, inset, -inset - 1, -inset - 1));
}

}  // namespace velmora
