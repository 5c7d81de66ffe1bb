#include "core/mapeditor/MapEditorState.h"

namespace tessivar {

MapCell MapEditorState::Stamp(int tile) const {
    MapCell cell;
    cell.Tile = static_cast<std::uint16_t>(tile);
    cell.Palette = static_cast<std::uint8_t>(MapPalette);
    cell.HFlip = HFlip ? 1 : 0;
    cell.VFlip = VFlip ? 1 : 0;
    return cell;
}

namespace {

bool KeepBlock(int& block, int tilesPerBlock) {
    int kept = block - block % tilesPerBlock;
    if (kept < 0 || kept >= kMaxTiles)
        kept = 0;
    const bool changed = kept != block;
    block = kept;
    return changed;
}

} // namespace

bool KeepMapBlocksInRange(MapEditorState& state, const TileSet& tileSet) {
    const int perBlock = tileSet.TilesPerBlock();
    const bool left = KeepBlock(state.LeftBlock, perBlock);
    const bool right = KeepBlock(state.RightBlock, perBlock);
    return left || right;
}

} // namespace tessivar
