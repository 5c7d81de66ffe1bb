#pragma once

// The tile list strip's geometry and clicks. Block k is drawn at x = k x cell width + 1;
// a click picks the Block under the mouse, or with Shift extends the selection from
// CurrentTile to it.

#include "core/model/DocumentChange.h"
#include "core/model/TileEditorState.h"
#include "core/model/TileSet.h"
#include "core/render/CellGeometry.h"

namespace tessivar {

int TileListCellWidth(BlockSize block, int listZoom);
// The strip as a row of cells, one for every Block that fits into the Tile slots.
CellGeometry TileListGrid(const TileSet& tileSet, int listZoom);

// First Tiles of the Blocks to paint: first, first + TilesPerBlock, ... up to last
// inclusive. Blocks that would reach past the last Tile slot are left out.
struct BlockStartRange {
    int First = 0;
    int Last = -1;
    friend bool operator==(const BlockStartRange&, const BlockStartRange&) = default;
};

BlockStartRange VisibleTileListBlocks(const TileSet& tileSet, int listZoom, int scrollX,
                                      int visibleWidth);

// Mouse-down at x on the tile list (any button).
DocumentChange ClickTileList(TileEditorState& editing, const TileSet& tileSet, int listZoom, int x,
                             bool shiftHeld);

// The map editor's "Edit tile...": puts the Block that starts at `firstTile` on the
// canvas and selects it alone, lowered so that it fits into the Tile slots under the
// current Block size. The current palette and palette set stay.
DocumentChange EditBlockFromMap(TileEditorState& editing, const TileSet& tileSet, int firstTile);

} // namespace tessivar
