#pragma once

#include <QAccessibleWidget>

namespace velmora {

// A pressable widget (Pressable) as screen readers see it: a push button or
// link named by the widget's accessible name, whose press action presses it.
// The labels a panel button shows are its caption, not children of their own.
class PressableAccessible : public QAccessibleWidget {
public:
    PressableAccessible(QWidget* widget, QAccessible::Role role);

    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
};

}  // namespace velmora
