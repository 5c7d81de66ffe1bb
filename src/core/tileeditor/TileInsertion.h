#pragma once

// Inserting and deleting Tiles at CurrentTile. Insertion and deletion renumber the map
// so its cells keep showing the same pictures; custom information values stay with
// their slot numbers. None of these marks the set modified or records undo.

#include "core/workspace/Workspace.h"

namespace tessivar {

// "Insert tile": a blank Block at CurrentTile; map cells naming Tile CurrentTile or
// later move along with their Tiles.
void InsertBlock(Workspace& workspace);

// "Delete tile(s)": removes max(selection size, TilesPerBlock) Tiles at CurrentTile,
// but never so many that less than one Block remains. Returns the number removed.
int DeleteTiles(Workspace& workspace);

} // namespace tessivar
