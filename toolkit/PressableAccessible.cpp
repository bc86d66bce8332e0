#include "toolkit/PressableAccessible.h"

#include "toolkit/Pressable.h"

#include <QWidget>

namespace velmora {

PressableAccessible::PressableAccessible(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role)
{}

QStringList PressableAccessible::actionNames() const
{
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void PressableAccessible::doAction(const QString& actionName)
{
    Pressable* pressable = Pressable::Of(*widget());
    if (actionName == pressAction() && pressable != nullptr)
        pressable->Press();
    else
        QAccessibleWidget::doAction(actionName);
}

}  // namespace velmora
