#pragma once

// Paints part of the map canvas: the cells a repaint touches, each at twice the Block
// size on the map canvas's cell grid, over the grid colour that shows as a one-pixel
// line right of and below every cell. Cells come from MapStroke::ShownCell(), so a
// rectangle being dragged shows its preview.

#include "core/mapeditor/MapStroke.h"
#include "core/picture/RgbImage.h"
#include "core/render/BlockPainter.h"
#include "core/render/CellGeometry.h"

namespace tessivar {

// Sets the Block, palette and flips of `look` from a map cell.
inline void LookOfCell(BlockLook& look, const MapCell& cell) {
    look.FirstTile = cell.Tile;
    look.Palette = cell.Palette;
    look.HFlip = cell.HFlip != 0;
    look.VFlip = cell.VFlip != 0;
}

// Paints `cells` of `grid` into `out`, whose top-left pixel is canvas point (originX,
// originY). Pixels of `out` outside those cells are left as they are.
void PaintMapCanvas(const TileSet& tileSet, const MapStroke& stroke, const CellGeometry& grid,
                    CellRange cells, std::uint32_t gridColor, RgbImage& out, int originX,
                    int originY);

// Paints Tile `frame` as an animation frame into cell (column, row): unmirrored, in
// palette `palette` of set 0, at the canvas geometry. `out` is as above.
void PaintMapFrame(const TileSet& tileSet, const CellGeometry& grid, int column, int row, int frame,
                   int palette, RgbImage& out, int originX, int originY);

} // namespace tessivar
