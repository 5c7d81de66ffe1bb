#include "core/tileeditor/BlockBounds.h"

#include <algorithm>

namespace tessivar {

int LastBlockStart(int tilesPerBlock) {
    return (kMaxTiles / tilesPerBlock - 1) * tilesPerBlock;
}

int AlignBlockStart(int tile, int tilesPerBlock) {
    const int aligned = std::max(tile, 0) / tilesPerBlock * tilesPerBlock;
    return std::min(aligned, LastBlockStart(tilesPerBlock));
}

bool KeepCurrentBlockInSlots(TileEditorState& editing, const TileSet& tileSet) {
    const int highest = kMaxTiles - tileSet.TilesPerBlock();
    if (editing.CurrentTile <= highest && editing.CurrentTile >= 0)
        return false;
    editing.CurrentTile = std::clamp(editing.CurrentTile, 0, highest);
    return true;
}

} // namespace tessivar
