#pragma once

#include <QAccessibleWidget>

namespace velmora {

// A pressable widget (Pressable) as screen readers see it: a push button or
// link named by the widget's accessible name, whose press action presses it.
class PressableAccessible : public QAccessibleWidget {
public:
    PressableAccessible(QWidget* widget, QAccessible::Role role);

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
};

}  // namespace velmora
