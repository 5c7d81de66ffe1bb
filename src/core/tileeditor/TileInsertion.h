#pragma once

// Inserting and deleting Tiles at CurrentTile. Insertion and deletion renumber the map
// so its cells keep showing the same pictures; custom information values stay with
// their slot numbers. None of these marks the set modified or records undo.

#include "core/model/DocumentChange.h"
#include "core/model/MapDocument.h"
#include "core/model/TileEditorState.h"
#include "core/model/TileSet.h"

namespace tessivar {

// "Insert tile": a blank Block at CurrentTile; map cells naming Tile CurrentTile or
// later move along with their Tiles.
DocumentChange InsertBlock(TileSet& tileSet, const TileEditorState& editing, MapGrid& map);

// "Delete tile(s)": removes max(selection size, TilesPerBlock) Tiles at CurrentTile,
// but never so many that less than one Block remains.
DocumentChange DeleteTiles(TileSet& tileSet, TileEditorState& editing, MapGrid& map);

} // namespace tessivar
