#pragma once

#include "toolkit/TileList.h"

#include <vector>

namespace velmora {

// Where a key takes the selection of a tile list, from the tiles' rectangles
// alone. Up and Down go to the nearest row above or below (the tile nearest
// horizontally in it), Left and Right to the tile before or after in index
// order (the owner lays tiles out in reading order), Page Up and Page Down
// as far as one page of `pageHeight` pixels reaches (at least one row), First
// and Last to the ends. With nothing selected (`from` -1) the moves forward
// start at the first tile and the moves back at the last. Returns `from`
// when the move leads nowhere, -1 when there are no tiles.
enum class TileMove { Up, Down, Left, Right, PageUp, PageDown, First, Last };

int NavigateTiles(const std::vector<TileList::Tile>& tiles, int from, TileMove move, int pageHeight);

}  // namespace velmora
