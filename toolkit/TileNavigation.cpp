#include "toolkit/TileNavigation.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

namespace velmora {

namespace {

using Tile = TileList::Tile;

std::int64_t Bottom(const Tile& tile)
{
    return std::int64_t{tile.top} + tile.height;
}

// The tile of the row nearest to `from` in one direction, no further than
// `reach` pixels from `from`'s top (the whole content when unbounded); the
// row's tile nearest horizontally wins, then the lower index.
int NearestRow(const std::vector<Tile>& tiles, int from, bool down, std::int64_t reach)
{
    const Tile& start = tiles[static_cast<std::size_t>(from)];
    int best = -1;
    std::int64_t bestTop = 0;
    std::int64_t bestDistance = 0;
    for (int i = 0; i < static_cast<int>(tiles.size()); ++i) {
        const Tile& tile = tiles[static_cast<std::size_t>(i)];
        const bool beyond = down ? tile.top >= Bottom(start) : Bottom(tile) <= start.top;
        if (i == from || !beyond || std::llabs(std::int64_t{tile.top} - start.top) > reach)
            continue;
        const std::int64_t distance = std::llabs(std::int64_t{tile.left} - start.left);
        // Going down the nearest row has the smallest top; going up the largest.
        const bool nearerRow = best < 0 || (down ? tile.top < bestTop : tile.top > bestTop);
        const bool sameRowNearer = best >= 0 && tile.top == bestTop && distance < bestDistance;
        if (nearerRow || sameRowNearer) {
            best = i;
            bestTop = tile.top;
            bestDistance = distance;
        }
    }
    return best;
}

// Going a page: the furthest row within the page, or the next row when even
// that lies further.
int PageAway(const std::vector<Tile>& tiles, int from, bool down, int pageHeight)
{
    int reached = from;
    for (int next = NearestRow(tiles, from, down, std::numeric_limits<std::int64_t>::max()); next >= 0;
         next = NearestRow(tiles, next, down, std::numeric_limits<std::int64_t>::max())) {
        const std::int64_t travelled = std::llabs(std::int64_t{tiles[static_cast<std::size_t>(next)].top} -
                                                  tiles[static_cast<std::size_t>(from)].top);
        if (reached != from && travelled > pageHeight)
            break;
        reached = next;
    }
    return reached;
}

}  // namespace

int NavigateTiles(const std::vector<Tile>& tiles, int from, TileMove move, int pageHeight)
{
    const int count = static_cast<int>(tiles.size());
    if (count == 0)
        return -1;
    const bool forward =
        move == TileMove::Down || move == TileMove::Right || move == TileMove::PageDown || move == TileMove::First;
    if (from < 0 || from >= count)
        return forward ? 0 : count - 1;
    constexpr std::int64_t kUnbounded = std::numeric_limits<std::int64_t>::max();
    int to = -1;
    switch (move) {
    case TileMove::Up: to = NearestRow(tiles, from, false, kUnbounded); break;
    case TileMove::Down: to = NearestRow(tiles, from, true, kUnbounded); break;
    case TileMove::Left: to = from - 1; break;
    case TileMove::Right: to = from + 1 < count ? from + 1 : -1; break;
    case TileMove::PageUp: to = PageAway(tiles, from, false, pageHeight); break;
    case TileMove::PageDown: to = PageAway(tiles, from, true, pageHeight); break;
    case TileMove::First: to = 0; break;
    case TileMove::Last: to = count - 1; break;
    }
    return to >= 0 ? to : from;
}

}  // namespace velmora
