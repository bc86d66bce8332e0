#pragma once

#include <QAccessible>
#include <QColor>
#include <QObject>
#include <QPointer>

#include <functional>

class QAbstractButton;
class QWidget;

namespace velmora {

// Makes any widget (a panel with labels on it, a picture, a link label) a
// control of the keyboard and of screen readers, leaving its look and its
// mouse handling alone: it takes the focus from Tab and from a press, Enter
// and Space press it, and screen readers see a push button or a link with
// its name and a press action. While it has the focus from the keyboard a
// dotted frame in the focus mark colour is drawn just inside its bevel, or
// along its edge.
class Pressable : public QObject {
    Q_OBJECT

public:
    enum class Kind { Button, Link };

    // Makes `widget` pressable (once; a second call changes the first's
    // settings). The object is owned by the widget.
    static Pressable& Make(QWidget& widget, Kind kind, const QString& name, std::function<void()> onPress);
    // A Qt button the same way: Enter presses it too (Qt's buttons take only
    // Space), and the same focus mark shows whatever the style draws.
    static Pressable& MakeButton(QAbstractButton& button, const QColor& focusMark);
    // The pressable of `widget`, or null.
    static Pressable* Of(const QWidget& widget);

    // Runs the press handler as Enter does.
    void Press();
    void SetName(const QString& name);
    // An invalid colour leaves the focus to the widget's own look.
    void SetFocusMarkColour(const QColor& colour);
    QAccessible::Role Role() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit Pressable(QWidget& widget);
    void PaintWithFocusMark(QEvent& paint);

    QPointer<QWidget> widget_;
    Kind kind_ = Kind::Button;
    QColor focusMarkColour_{Qt::black};
    std::function<void()> onPress_;
    bool keyboardFocus_ = false;
};

}  // namespace velmora
