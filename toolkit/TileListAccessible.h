#pragma once

#include <QAccessible>
#include <QAccessibleWidget>

#include <vector>

namespace velmora {

class TileList;

// A tile list's panel as screen readers see it: a list whose children are
// the tiles (TileAccessible), named by the list's owner, with the selected
// tile selected and, while the panel has the focus, focused.
class TileListAccessible : public QAccessibleWidget {
public:
    explicit TileListAccessible(QWidget* panel);
    ~TileListAccessible() override;
    TileListAccessible(const TileListAccessible&) = delete;
    TileListAccessible& operator=(const TileListAccessible&) = delete;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // Tells screen readers that the selection of the list on `panel` moved
    // from tile `previous` to tile `current` (either may be -1).
    static void SelectionChanged(QWidget& panel, int previous, int current);

private:
    TileList* List() const;
    // Forgets the tiles' interfaces when the list was laid out anew.
    void FollowLayout() const;
    void ForgetTiles() const;

    mutable int layout_ = -1;
    mutable std::vector<QAccessible::Id> tiles_;  // by tile index; 0: not made yet
};

}  // namespace velmora
