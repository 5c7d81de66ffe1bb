#include "core/tileeditor/TileInsertion.h"

#include "core/model/TileRemap.h"
#include "core/model/TileSlots.h"

#include <algorithm>

namespace tessivar {

void InsertBlock(Workspace& workspace) {
    const int at = workspace.editing.CurrentTile;
    const int count = workspace.tileSet.TilesPerBlock();
    MakeRoomForTiles(workspace.tileSet, at, count);
    TileRemap::ForInsertion(at, count).Apply(workspace.map.grid);
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
    for (int k = 0; k < count; ++k)
        RemoveTileSlot(tileSet, editing.CurrentTile);
    TileRemap::ForDeletion(editing.CurrentTile, count).Apply(workspace.map.grid);
    editing.SelectionStart = editing.CurrentTile;
    editing.SelectionEnd = editing.CurrentTile + tilesPerBlock - 1;
    workspace.notify(TilesChanged | TileSetReshaped | EditingChanged | MapChanged);
    return count;
}

} // namespace tessivar
