#include "toolkit/TileAccessible.h"

#include "toolkit/GuardedCall.h"
#include "toolkit/TileList.h"

#include <QWidget>
#include <QWindow>

namespace velmora {

TileAccessible::TileAccessible(TileList& list, QWidget& panel, int index)
    : list_(&list), panel_(&panel), index_(index), layout_(list.Layout())
{}

bool TileAccessible::isValid() const
{
    return list_ && panel_ && list_->Layout() == layout_ && index_ < list_->Count();
}

QWindow* TileAccessible::window() const
{
    return panel_ ? panel_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* TileAccessible::parent() const
{
    return panel_ ? QAccessible::queryAccessibleInterface(panel_.data()) : nullptr;
}

QString TileAccessible::text(QAccessible::Text type) const
{
    if (type != QAccessible::Name || !isValid())
        return {};
    return list_->ItemNameAt(index_);
}

QRect TileAccessible::rect() const
{
    if (!isValid())
        return {};
    const QRect visible = list_->VisibleRect(index_);
    return QRect(panel_->mapToGlobal(visible.topLeft()), visible.size());
}

QAccessible::State TileAccessible::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.selectable = true;
    state.focusable = true;
    state.selected = list_->Selected() == index_;
    state.focused = state.selected && panel_->hasFocus();
    const bool shown = list_->VisibleRect(index_).intersects(QRect(QPoint(0, 0), panel_->size()));
    state.offscreen = !shown;
    state.invisible = !shown || !panel_->isVisible();
    return state;
}

void* TileAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

QStringList TileAccessible::actionNames() const
{
    return {pressAction()};
}

void TileAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction() && isValid())
        CallGuarded("tile action", [&] { list_->SelectByKey(index_); });
}

}  // namespace velmora
