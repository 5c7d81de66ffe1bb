#include "core/mapeditor/MapTileList.h"

#include "core/render/CellGeometry.h"

#include <algorithm>

namespace tessivar {

MapTileListGeometry MapTileListGeometry::For(const TileSet& tileSet) {
    const BlockSize block = tileSet.Block;
    MapTileListGeometry g;
    const int largest = std::max(block.Width, block.Height);
    g.Zoom = largest <= 8 ? 4 : largest <= 16 ? 3 : largest <= 32 ? 2 : 1;
    g.Pitch = block.Width * g.Zoom + 2;
    g.TilesPerBlock = tileSet.TilesPerBlock();
    const int tiles = std::clamp(tileSet.TileCount, 0, kMaxTiles);
    // A last Block that only starts below the tile count is listed too.
    g.BlockCount = (tiles + g.TilesPerBlock - 1) / g.TilesPerBlock;
    g.StripWidth = g.BlockCount * g.Pitch;
    g.StripHeight = block.Height * g.Zoom + 41;
    return g;
}

MapTileListGeometry::Range MapTileListGeometry::VisibleBlocks(int scrollX, int visibleWidth) const {
    Range range;
    range.First = std::max(scrollX, 0) / Pitch;
    range.Last = std::min(range.First + visibleWidth / Pitch + 1, BlockCount - 1);
    return range;
}

bool ClickMapTileList(MapEditorState& state, const TileSet& tileSet, MouseButton button, int x) {
    const MapTileListGeometry g = MapTileListGeometry::For(tileSet);
    const auto cell = CellGeometry(g.Pitch, g.StripHeight, g.BlockCount, 1).CellAt(x, 0);
    if (!cell || button == MouseButton::Other)
        return false;
    const int first = cell->Column * g.TilesPerBlock;
    if (button == MouseButton::Left) {
        state.LeftBlock = first;
        state.MapPalette = tileSet.TilePalette[first] & 0xFF;
    } else {
        state.RightBlock = first;
    }
    return true;
}

} // namespace tessivar
