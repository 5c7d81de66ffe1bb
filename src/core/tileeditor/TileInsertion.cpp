#include "core/tileeditor/TileInsertion.h"

#include <algorithm>
#include <limits>

namespace tessivar {

namespace {

void moveTile(TileSet& tileSet, int from, int to) {
    tileSet.tiles[to] = tileSet.tiles[from];
    tileSet.tilePalette[to] = tileSet.tilePalette[from];
    tileSet.tilePaletteSet[to] = tileSet.tilePaletteSet[from];
}

// Map cells name Tiles by number; after a Tile moves, the cells follow it.
void renumberMapAfterInsert(MapDocument& map, int at) {
    constexpr int kHighestNumber = std::numeric_limits<std::uint16_t>::max();
    for (MapCell& cell : map.grid.cells)
        if (cell.Tile >= at && cell.Tile < kHighestNumber)
            ++cell.Tile;
}

void renumberMapAfterDelete(MapDocument& map, int at) {
    for (MapCell& cell : map.grid.cells)
        if (cell.Tile > at)
            --cell.Tile;
}

void removeTile(TileSet& tileSet, int at) {
    const int oldCount = tileSet.tileCount;
    --tileSet.tileCount;
    // The old last slot keeps its contents, like every slot above the count.
    for (int t = at + 1; t < std::min(oldCount, kMaxTiles); ++t)
        moveTile(tileSet, t, t - 1);
}

} // namespace

void MakeRoomForTile(TileSet& tileSet, int at) {
    if (at < 0 || at >= kMaxTiles)
        return;
    if (tileSet.tileCount < kMaxTiles)
        ++tileSet.tileCount;
    for (int t = tileSet.tileCount - 1; t > at; --t)
        moveTile(tileSet, t - 1, t);
    tileSet.tiles[at].fill(0);
    tileSet.tilePalette[at] = 0;
    tileSet.tilePaletteSet[at] = 0;
}

void InsertBlock(Workspace& workspace) {
    const int at = workspace.editing.CurrentTile;
    for (int k = 0; k < workspace.tileSet.TilesPerBlock(); ++k) {
        MakeRoomForTile(workspace.tileSet, at);
        renumberMapAfterInsert(workspace.map, at);
    }
    workspace.notify(TilesChanged | TileSetReshaped | MapChanged);
}

int DeleteTiles(Workspace& workspace) {
    TileSet& tileSet = workspace.tileSet;
    EditingState& editing = workspace.editing;
    const int tilesPerBlock = tileSet.TilesPerBlock();
    const int selected = editing.SelectionEnd - editing.SelectionStart + 1;
    // At least one Block must remain in the set.
    const int removable = std::max(tileSet.tileCount - tilesPerBlock, 0);
    const int count = std::min(std::max(selected, tilesPerBlock), removable);
    for (int k = 0; k < count; ++k) {
        removeTile(tileSet, editing.CurrentTile);
        renumberMapAfterDelete(workspace.map, editing.CurrentTile);
    }
    editing.SelectionStart = editing.CurrentTile;
    editing.SelectionEnd = editing.CurrentTile + tilesPerBlock - 1;
    workspace.notify(TilesChanged | TileSetReshaped | EditingChanged | MapChanged);
    return count;
}

} // namespace tessivar
