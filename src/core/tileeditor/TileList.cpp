#include "core/tileeditor/TileList.h"

#include "core/tileeditor/BlockBounds.h"

#include <algorithm>
#include <utility>

namespace tessivar {

int TileListCellWidth(BlockSize block, int listZoom) {
    return block.width * listZoom + 2;
}

CellGrid TileListGrid(const TileSet& tileSet, int listZoom) {
    const int tilesPerBlock = tileSet.TilesPerBlock();
    return CellGrid(TileListCellWidth(tileSet.block, listZoom), tileSet.block.height * listZoom + 2,
                    LastBlockStart(tilesPerBlock) / tilesPerBlock + 1, 1);
}

BlockStartRange VisibleTileListBlocks(const TileSet& tileSet, int listZoom, int scrollX,
                                      int visibleWidth) {
    const int tilesPerBlock = tileSet.TilesPerBlock();
    const int cell = TileListCellWidth(tileSet.block, listZoom);
    const int firstBlock = std::max(scrollX, 0) / cell;
    BlockStartRange range;
    range.first = firstBlock * tilesPerBlock;
    range.last = (firstBlock + visibleWidth / cell + 1) * tilesPerBlock;
    if (range.last >= tileSet.tileCount)
        range.last = tileSet.tileCount - 1;
    // A Block start beyond this would read past slot 767.
    range.last = std::min(range.last, LastBlockStart(tilesPerBlock));
    return range;
}

DocumentChange ClickTileList(EditingState& editing, const TileSet& tileSet, int listZoom, int x,
                             bool shiftHeld) {
    const int tilesPerBlock = tileSet.TilesPerBlock();
    // A press left of the strip picks its first Block, one past the last its last Block.
    const CellGrid grid = TileListGrid(tileSet, listZoom);
    const auto cell = grid.cellAt(std::max(x, 0), 0);
    const int clicked = (cell ? cell->column : grid.columns() - 1) * tilesPerBlock;
    if (shiftHeld) {
        editing.SelectionStart = editing.CurrentTile;
        editing.SelectionEnd = clicked + tilesPerBlock - 1;
        if (editing.SelectionEnd < editing.SelectionStart)
            std::swap(editing.SelectionStart, editing.SelectionEnd);
        return {EditingChanged};
    }
    editing.CurrentTile = clicked;
    editing.SelectionStart = clicked;
    editing.SelectionEnd = clicked + tilesPerBlock - 1;
    editing.CurrentPaletteSet = tileSet.tilePaletteSet[clicked];
    editing.CurrentPalette = tileSet.tilePalette[clicked];
    return {EditingChanged};
}

DocumentChange EditBlockFromMap(EditingState& editing, const TileSet& tileSet, int firstTile) {
    const int block = std::clamp(firstTile, 0, kMaxTiles - tileSet.TilesPerBlock());
    editing.CurrentTile = block;
    editing.SelectionStart = editing.SelectionEnd = block;
    return {EditingChanged};
}

} // namespace tessivar
