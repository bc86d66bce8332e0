#include "toolkit/TileListAccessible.h"

#include "toolkit/TileAccessible.h"
#include "toolkit/TileList.h"

#include <QWidget>

namespace velmora {

TileListAccessible::TileListAccessible(QWidget* panel) : QAccessibleWidget(panel, QAccessible::List)
{}

TileListAccessible::~TileListAccessible()
{
    ForgetTiles();
}

TileList* TileListAccessible::List() const
{
    return TileList::Of(widget());
}

void TileListAccessible::FollowLayout() const
{
    const TileList* list = List();
    const int layout = list != nullptr ? list->Layout() : -1;
    const std::size_t count = list != nullptr ? static_cast<std::size_t>(list->Count()) : 0;
    if (layout == layout_ && tiles_.size() == count)
        return;
    ForgetTiles();
    layout_ = layout;
    tiles_.assign(count, 0);
}

void TileListAccessible::ForgetTiles() const
{
    for (const QAccessible::Id id : tiles_) {
        if (id != 0)
            QAccessible::deleteAccessibleInterface(id);
    }
    tiles_.clear();
}

int TileListAccessible::childCount() const
{
    FollowLayout();
    return static_cast<int>(tiles_.size());
}

QAccessibleInterface* TileListAccessible::child(int index) const
{
    FollowLayout();
    TileList* list = List();
    if (list == nullptr || index < 0 || index >= static_cast<int>(tiles_.size()))
        return nullptr;
    QAccessible::Id& id = tiles_[static_cast<std::size_t>(index)];
    if (id == 0)
        id = QAccessible::registerAccessibleInterface(new TileAccessible(*list, *widget(), index));
    return QAccessible::accessibleInterface(id);
}

int TileListAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    FollowLayout();
    const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface*>(child));
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        if (tiles_[i] == id)
            return static_cast<int>(i);
    }
    return -1;
}

QAccessibleInterface* TileListAccessible::childAt(int x, int y) const
{
    const TileList* list = List();
    if (list == nullptr)
        return nullptr;
    const int hit = list->HitTest(widget()->mapFromGlobal(QPoint(x, y)));
    return hit >= 0 ? child(hit) : nullptr;
}

QAccessibleInterface* TileListAccessible::focusChild() const
{
    const TileList* list = List();
    if (list == nullptr || !widget()->hasFocus() || list->Selected() < 0)
        return nullptr;
    return child(list->Selected());
}

void TileListAccessible::SelectionChanged(QWidget& panel, int previous, int current)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface* listInterface = QAccessible::queryAccessibleInterface(&panel);
    if (listInterface == nullptr)
        return;
    QAccessible::State selected;
    selected.selected = true;
    for (const int index : {previous, current}) {
        if (QAccessibleInterface* tile = index >= 0 ? listInterface->child(index) : nullptr) {
            QAccessibleStateChangeEvent change(tile, selected);
            QAccessible::updateAccessibility(&change);
        }
    }
    if (current >= 0 && panel.hasFocus()) {
        if (QAccessibleInterface* tile = listInterface->child(current)) {
            QAccessibleEvent focus(tile, QAccessible::Focus);
            QAccessible::updateAccessibility(&focus);
        }
    }
}

}  // namespace velmora
