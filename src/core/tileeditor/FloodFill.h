#pragma once

// Flood fill of the tile canvas: recolours the 4-connected region of one colour around
// a start pixel, across Tile boundaries but never beyond the Block.

#include "core/model/TileSet.h"
#include "core/tileeditor/CanvasTypes.h"

namespace tessivar {

// Fills from `start` inside the Block that begins at Tile `firstTile` (current Block
// size). Every Tile that receives a pixel gets TilePalette = `palette`. Returns false,
// having changed nothing at all, when the start pixel already has `color`.
bool FloodFillBlock(TileSet& tileSet, int firstTile, BlockPoint start, ColorIndex color,
                    int palette);

} // namespace tessivar
