#pragma once

#include <QAccessible>
#include <QAccessibleInterface>
#include <QPointer>

namespace velmora {

class TileList;

// One tile of a tile list as screen readers see it: a list item named by
// the list's owner, selectable, and pressed (selected as by a key) through
// its action. Made by TileListAccessible for one layout of the list; once the
// list is laid out anew it is no longer valid.
class TileAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TileAccessible(TileList& list, QWidget& panel, int index);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text type) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    int Index() const { return index_; }

private:
    QPointer<TileList> list_;
    QPointer<QWidget> panel_;
    int index_;
    int layout_;
};

}  // namespace velmora
