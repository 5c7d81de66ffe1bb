#include "core/tileeditor/TileClipboard.h"

#include "core/model/TileSlots.h"

#include <algorithm>

namespace tessivar {

void TileClipboard::CopyTiles(const TileSet& tileSet, const TileEditorState& editing) {
    const int start = std::clamp(editing.SelectionStart, 0, kMaxTiles - 1);
    const int end = std::clamp(editing.SelectionEnd, start, kMaxTiles - 1);
    for (int k = 0; k <= end - start; ++k) {
        tiles_[k] = tileSet.Tiles[start + k];
        palettes_[k] = tileSet.TilePalette[start + k];
        paletteSets_[k] = tileSet.TilePaletteSet[start + k];
    }
    count_ = end - start + 1;
}

DocumentChange TileClipboard::PasteTiles(TileSet& tileSet, const TileEditorState& editing,
                                         bool overwrite) const {
    const int at = editing.CurrentTile;
    if (!overwrite)
        MakeRoomForTiles(tileSet, at, count_);
    for (int k = 0; k < count_ && at + k < kMaxTiles; ++k) {
        tileSet.Tiles[at + k] = tiles_[k];
        tileSet.TilePalette[at + k] = palettes_[k];
        tileSet.TilePaletteSet[at + k] = paletteSets_[k];
    }
    return {TilesChanged | TileSetReshaped | MapChanged};
}

} // namespace tessivar
