#include "core/tileeditor/TileClipboard.h"

#include "core/model/TileSlots.h"

#include <algorithm>

namespace tessivar {

void TileClipboard::CopyTiles(const Workspace& workspace) {
    const TileSet& tileSet = workspace.tileSet;
    const int start = std::clamp(workspace.editing.SelectionStart, 0, kMaxTiles - 1);
    const int end = std::clamp(workspace.editing.SelectionEnd, start, kMaxTiles - 1);
    for (int k = 0; k <= end - start; ++k) {
        tiles_[k] = tileSet.tiles[start + k];
        palettes_[k] = tileSet.tilePalette[start + k];
        paletteSets_[k] = tileSet.tilePaletteSet[start + k];
    }
    count_ = end - start + 1;
}

void TileClipboard::PasteTiles(Workspace& workspace, bool overwrite) const {
    TileSet& tileSet = workspace.tileSet;
    const int at = workspace.editing.CurrentTile;
    if (!overwrite)
        MakeRoomForTiles(tileSet, at, count_);
    for (int k = 0; k < count_ && at + k < kMaxTiles; ++k) {
        tileSet.tiles[at + k] = tiles_[k];
        tileSet.tilePalette[at + k] = palettes_[k];
        tileSet.tilePaletteSet[at + k] = paletteSets_[k];
    }
    workspace.notify(TilesChanged | TileSetReshaped | MapChanged);
}

} // namespace tessivar
