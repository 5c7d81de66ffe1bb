#include "core/mapeditor/MapFill.h"

#include "core/drawing/FloodFill.h"

namespace tessivar {

std::size_t FloodFillMap(MapGrid& grid, int column, int row, int oldTile, const MapCell& stamp,
                         const std::function<void(int, int)>& beforeWrite) {
    if (stamp.Tile == oldTile)
        return 0;
    MapCell* cells = grid.Cells.data();
    const std::size_t width = static_cast<std::size_t>(grid.Width);
    return FloodFillGrid(
        grid.Width, grid.Height, {column, row},
        [&](int x, int y) { return cells[y * width + x].Tile == oldTile; },
        [&](int x, int y) {
            if (beforeWrite)
                beforeWrite(x, y);
            cells[y * width + x] = stamp;
        });
}

} // namespace tessivar
