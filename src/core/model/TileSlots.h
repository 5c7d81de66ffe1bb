#pragma once

// Moves of whole Tile slots: the 64 pixel bytes with the slot's palette and palette set.
// Custom information values are not moved: they stay with their slot numbers. None of
// these touches the map; callers renumber it with a TileRemap.

#include "core/model/TileSet.h"

namespace tessivar {

void MoveTileSlot(TileSet& tileSet, int from, int to);
// Pixels 0, palette 0, palette set 0.
void ClearTileSlot(TileSet& tileSet, int at);

// Makes room for `count` Tiles at `at`: the count grows (up to 768), Tiles from `at` on
// move up `count` slots (those pushed past the last slot fall off) and slots `at` to
// `at + count - 1` become blank.
void MakeRoomForTiles(TileSet& tileSet, int at, int count);

// Removes the Tile at `at`: the Tiles above it move down one slot and the count drops by
// one. The old last slot keeps its contents, like every slot above the count.
void RemoveTileSlot(TileSet& tileSet, int at);

} // namespace tessivar
