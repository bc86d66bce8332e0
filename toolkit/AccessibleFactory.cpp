#include "toolkit/AccessibleFactory.h"

#include "toolkit/Pressable.h"
#include "toolkit/PressableAccessible.h"
#include "toolkit/TileList.h"
#include "toolkit/TileListAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDialog>
#include <QWidget>

namespace velmora {

namespace {

// Qt's own factory answers first for Qt's classes, so these are reached for
// the toolkit's subclasses (Panel, LinkLabel) and for plain QWidgets.
QAccessibleInterface* Create(const QString&, QObject* object)
{
    if (object == nullptr || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (TileList::Of(widget) != nullptr)
        return new TileListAccessible(widget);
    if (Pressable* pressable = Pressable::Of(*widget))
        return new PressableAccessible(widget, pressable->Role());
    // A program's own top-level window (dialogs are Qt's): a window named by
    // its title rather than a plain client area.
    if (widget->isWindow() && qobject_cast<QDialog*>(widget) == nullptr)
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

}  // namespace

void AccessibleFactory::Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(&Create);
        return true;
    }();
    (void)installed;
}

void AccessibleFactory::Forget(QObject& object)
{
    if (!QAccessible::isActive())
        return;
    if (QAccessibleInterface* existing = QAccessible::queryAccessibleInterface(&object))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(existing));
}

}  // namespace velmora
