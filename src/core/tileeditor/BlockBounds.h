#pragma once

// Where a Block may start. Blocks start at multiples of TilesPerBlock, and a Block must
// never reach past the last Tile slot: with a large custom Block (240 x 128 is 480
// Tiles) the second Block would start at 480 and run to 959. Every operation that picks
// a Block start goes through these helpers.

#include "core/model/TileEditorState.h"
#include "core/model/TileSet.h"

namespace tessivar {

// The highest Block start whose Block still fits into the 768 slots.
int LastBlockStart(int tilesPerBlock);

// `tile` lowered to a multiple of `tilesPerBlock`, then lowered further (by whole
// Blocks) until the Block fits into the slots; never below 0.
int AlignBlockStart(int tile, int tilesPerBlock);

// Lowers CurrentTile just enough for the current Block to fit into the slots (it is not
// aligned, so an in-range Block stays where it is). True when it had to move.
bool KeepCurrentBlockInSlots(TileEditorState& editing, const TileSet& tileSet);

} // namespace tessivar
