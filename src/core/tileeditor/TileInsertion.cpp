#include "core/tileeditor/TileInsertion.h"

#include "core/model/TileRemap.h"
#include "core/model/TileSlots.h"

#include <algorithm>

namespace tessivar {

DocumentChange InsertBlock(TileSet& tileSet, const TileEditorState& editing, MapGrid& map) {
    const int at = editing.CurrentTile;
    const int count = tileSet.TilesPerBlock();
    MakeRoomForTiles(tileSet, at, count);
    TileRemap::ForInsertion(at, count).Apply(map);
    return {TilesChanged | TileSetReshaped | MapChanged};
}

DocumentChange DeleteTiles(TileSet& tileSet, TileEditorState& editing, MapGrid& map) {
    const int tilesPerBlock = tileSet.TilesPerBlock();
    const int selected = editing.SelectionEnd - editing.SelectionStart + 1;
    // At least one Block must remain in the set.
    const int removable = std::max(tileSet.TileCount - tilesPerBlock, 0);
    const int count = std::min(std::max(selected, tilesPerBlock), removable);
    for (int k = 0; k < count; ++k)
        RemoveTileSlot(tileSet, editing.CurrentTile);
    TileRemap::ForDeletion(editing.CurrentTile, count).Apply(map);
    editing.SelectionStart = editing.CurrentTile;
    editing.SelectionEnd = editing.CurrentTile + tilesPerBlock - 1;
    return {TilesChanged | TileSetReshaped | EditingChanged | MapChanged};
}

} // namespace tessivar
