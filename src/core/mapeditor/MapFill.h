#pragma once

// The map's fill tool on the shared grid flood fill.

#include "core/model/MapDocument.h"

#include <cstddef>
#include <functional>

namespace tessivar {

// Writes `stamp` into every cell of the 4-connected region of cells whose Tile is
// `oldTile` around (column, row). Palettes and flips are not compared. Nothing happens
// when stamp.Tile equals `oldTile` or the start lies outside the grid. Returns the
// number of cells written. `beforeWrite` (column, row) hears of each cell before it is
// written.
std::size_t FloodFillMap(MapGrid& grid, int column, int row, int oldTile, const MapCell& stamp,
                         const std::function<void(int, int)>& beforeWrite = {});

} // namespace tessivar
