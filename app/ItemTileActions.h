#pragma once

#include <functional>

class QWidget;

namespace velmora {
class Bitmap;
class ClipPlayer;
class ContentItem;
}  // namespace velmora

namespace velmora::app {

class RepeatCycle;
class WidthScale;

// What the pointer and Enter do on the centre's item tiles. Only items with
// a sound react: a click on the sound marker's zone, or Enter, says the word
// once, unless repetition is on and says it itself; a click that changes the
// selection hands the repetition the new item; over the zone the pointer
// becomes a hand.
class ItemTileActions {
public:
    struct Hooks {
        std::function<ContentItem&(int index)> item;
        // The sound marker at the window's scale, or null.
        std::function<const Bitmap*()> marker;
        std::function<WidthScale()> scale;
    };

    ItemTileActions(ClipPlayer& player, RepeatCycle& repeat, QWidget& panel, Hooks hooks);

    // `index` is -1 off the tiles; (x, y) are inside the tile.
    void Click(int index, bool changed, int x, int y);
    void Move(int index, int x, int y);
    void Enter(int index);

private:
    bool InPlayZone(const ContentItem& item, int x, int y) const;

    ClipPlayer& player_;
    RepeatCycle& repeat_;
    QWidget& panel_;
    Hooks hooks_;
};

}  // namespace velmora::app
