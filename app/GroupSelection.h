#pragma once

#include <cstdint>

namespace velmora {
class ContentSet;
class MenuGroup;
}  // namespace velmora

namespace velmora::app {

// Which group the menu has selected and which one the centre shows: the
// same one, except while the heading tile passes a click on, when the
// centre shows none. A change of selection also redraws the two groups'
// menu pictures, the new one on the selected fill and the old one plain.
class GroupSelection {
public:
    // The ninth tile is a heading, not a group of its own.
    static constexpr int kHeadingTile = 8;

    explicit GroupSelection(ContentSet& content) : content_(content) {}

    // The selected group, or null.
    MenuGroup* Selected() const;
    // The shown group, or null.
    MenuGroup* Shown() const;
    int ShownIndex() const { return shown_; }

    // Selects group `index` (-1 for none) and shows it or none.
    void Select(std::int32_t index, bool shown);

    // The tile the heading hands a click on to: the one after it, or the
    // one above it for a key coming up from below, which would otherwise
    // be sent back down for ever.
    static int HeadingPassOn(std::int32_t previousGroup, bool byKey);

private:
    ContentSet& content_;
    std::int32_t shown_ = -1;
};

}  // namespace velmora::app
