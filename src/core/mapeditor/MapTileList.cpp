#include "core/mapeditor/MapTileList.h"

#include "core/render/CellGrid.h"

#include <algorithm>

namespace tessivar {

MapTileListGeometry MapTileListGeometry::For(const TileSet& tileSet) {
    const BlockSize block = tileSet.block;
    MapTileListGeometry g;
    const int largest = std::max(block.width, block.height);
    g.zoom = largest <= 8 ? 4 : largest <= 16 ? 3 : largest <= 32 ? 2 : 1;
    g.pitch = block.width * g.zoom + 2;
    g.tilesPerBlock = tileSet.TilesPerBlock();
    const int tiles = std::clamp(tileSet.tileCount, 0, kMaxTiles);
    // A last Block that only starts below the tile count is listed too.
    g.blockCount = (tiles + g.tilesPerBlock - 1) / g.tilesPerBlock;
    g.stripWidth = g.blockCount * g.pitch;
    g.stripHeight = block.height * g.zoom + 41;
    return g;
}

MapTileListGeometry::Range MapTileListGeometry::visibleBlocks(int scrollX, int visibleWidth) const {
    Range range;
    range.first = std::max(scrollX, 0) / pitch;
    range.last = std::min(range.first + visibleWidth / pitch + 1, blockCount - 1);
    return range;
}

bool ClickMapTileList(MapEditorState& state, const TileSet& tileSet, MouseButton button, int x) {
    const MapTileListGeometry g = MapTileListGeometry::For(tileSet);
    const auto cell = CellGrid(g.pitch, g.stripHeight, g.blockCount, 1).cellAt(x, 0);
    if (!cell || button == MouseButton::Other)
        return false;
    const int first = cell->column * g.tilesPerBlock;
    if (button == MouseButton::Left) {
        state.LeftBlock = first;
        state.MapPalette = tileSet.tilePalette[first] & 0xFF;
    } else {
        state.RightBlock = first;
    }
    return true;
}

} // namespace tessivar
