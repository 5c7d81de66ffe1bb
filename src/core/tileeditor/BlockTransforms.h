#pragma once

// The one-click transforms of the Block on the tile canvas. They move ColorIndex values
// through the Block accessors, so a Block of several Tiles turns as one picture; Tile
// palette numbers stay with their Tiles. These functions only transform: the editor
// commands around them (Modified, undo, repaint) are in TransformCommands.h.

#include "core/model/TileSet.h"

namespace tessivar {

// Shifts wrap around: the column or row pushed out comes back on the other side.
void ShiftBlockLeft(TileSet& tileSet, int firstTile);
void ShiftBlockRight(TileSet& tileSet, int firstTile);
void ShiftBlockUp(TileSet& tileSet, int firstTile);
void ShiftBlockDown(TileSet& tileSet, int firstTile);
void FlipBlockHorizontal(TileSet& tileSet, int firstTile);
void FlipBlockVertical(TileSet& tileSet, int firstTile);
// Quarter turn clockwise. False, changing nothing, when the Block is not square.
bool RotateBlockRight(TileSet& tileSet, int firstTile);
// Zeroes every byte of the Block's Tiles (also pixels outside a partial last Tile row
// or column) and the palette and palette set of the first Tile only.
void ClearBlock(TileSet& tileSet, int firstTile);

} // namespace tessivar
