#pragma once

#include <cstdint>
#include <string_view>

namespace velmora {

// What a picture of the content is shown as. A file may serve several uses.
enum class PictureUse : std::uint8_t { SoundMarker, Group, TitleEntry, Item, HelpPage };

// The largest picture a use ever needs: the program never shows a picture
// larger than its own size (every display scale is at most 1), and within
// the window each use has a place of a fixed size at the scale of 1:
// - the sound marker starts 60 pixels left of an item's picture, which is
//   drawn over anything wider: 72 x 72 leaves 12 pixels to the picture's
//   white margin (the demo's marker is that size);
// - a group's picture fills a menu tile of 181 x 52 at 0.36 (it is also
//   drawn in the title bar at 0.6, or smaller to be at most 40 high);
// - a title entry stands in the title bar at 0.6, from 44 pixels down in
//   a bar 84 high, or smaller to be at most 40 high: 66 of the picture's
//   rows fill those 40 at 0.6;
// - an item's picture shares a column of the centre panel, 512 pixels wide
//   when the window is 1,280 wide (items are shown at full size from that
//   width on), with the 75 pixels of the sound marker to its left;
// - a help page is shown at most at 100 %, in a column about 1,200 wide.
// A height of 0 means no limit (help pages scroll).
struct PictureBox {
    std::int32_t width = 0;
    std::int32_t height = 0;
};
PictureBox LargestShown(PictureUse use);

// The use's name as the tools write it ("item picture", "help page", ...).
std::string_view PictureUseName(PictureUse use);

// A set of uses, one bit each.
using PictureUses = std::uint8_t;
constexpr PictureUses UseBit(PictureUse use)
{
    return static_cast<PictureUses>(1u << static_cast<unsigned>(use));
}

struct PictureSize {
    std::int32_t width = 0;
    std::int32_t height = 0;

    friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// True when a `size` picture is larger than every use in `uses` shows it;
// false for no use at all (nothing is known of how it is shown).
bool LargerThanShown(PictureSize size, PictureUses uses);

// The size a picture is reduced to: unchanged when some use shows it whole,
// otherwise its aspect kept and scaled to the largest that any of `uses`
// shows; and never more pixels than a packed picture holds. Never enlarges;
// every side stays at least 1.
PictureSize FittingSize(PictureSize size, PictureUses uses);

}  // namespace velmora
