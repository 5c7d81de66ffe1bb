#include "core/tileeditor/TileList.h"

#include "core/tileeditor/BlockBounds.h"

#include <algorithm>
#include <utility>

namespace tessivar {

int TileListCellWidth(BlockSize block, int listZoom) {
    return block.Width * listZoom + 2;
}

CellGeometry TileListGrid(const TileSet& tileSet, int listZoom) {
    const int tilesPerBlock = tileSet.TilesPerBlock();
    return CellGeometry(TileListCellWidth(tileSet.Block, listZoom),
                        tileSet.Block.Height * listZoom + 2,
                        LastBlockStart(tilesPerBlock) / tilesPerBlock + 1, 1);
}

BlockStartRange VisibleTileListBlocks(const TileSet& tileSet, int listZoom, int scrollX,
                                      int visibleWidth) {
    const int tilesPerBlock = tileSet.TilesPerBlock();
    const int cell = TileListCellWidth(tileSet.Block, listZoom);
    const int firstBlock = std::max(scrollX, 0) / cell;
    BlockStartRange range;
    range.First = firstBlock * tilesPerBlock;
    range.Last = (firstBlock + visibleWidth / cell + 1) * tilesPerBlock;
    if (range.Last >= tileSet.TileCount)
        range.Last = tileSet.TileCount - 1;
    // A Block start beyond this would read past slot 767.
    range.Last = std::min(range.Last, LastBlockStart(tilesPerBlock));
    return range;
}

DocumentChange ClickTileList(TileEditorState& editing, const TileSet& tileSet, int listZoom, int x,
                             bool shiftHeld) {
    const int tilesPerBlock = tileSet.TilesPerBlock();
    // A press left of the strip picks its first Block, one past the last its last Block.
    const CellGeometry grid = TileListGrid(tileSet, listZoom);
    const auto cell = grid.CellAt(std::max(x, 0), 0);
    const int clicked = (cell ? cell->Column : grid.Columns() - 1) * tilesPerBlock;
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
    editing.CurrentPaletteSet = tileSet.TilePaletteSet[clicked];
    editing.CurrentPalette = tileSet.TilePalette[clicked];
    return {EditingChanged};
}

DocumentChange EditBlockFromMap(TileEditorState& editing, const TileSet& tileSet, int firstTile) {
    const int block = std::clamp(firstTile, 0, kMaxTiles - tileSet.TilesPerBlock());
    editing.CurrentTile = block;
    editing.SelectionStart = editing.SelectionEnd = block;
    return {EditingChanged};
}

} // namespace tessivar
