#include "core/mapeditor/MapCanvasPainter.h"

namespace tessivar {

namespace {

BlockLook canvasLook(const TileSet& tileSet) {
    BlockLook look;
    look.block = tileSet.block;
    look.paletteSet = 0; // the map editor always shows palette set 0
    look.zoom = 2;
    return look;
}

} // namespace

void PaintMapCanvas(const TileSet& tileSet, const MapStroke& stroke, const CellGrid& grid,
                    CellRange cells, std::uint32_t gridColor, RgbImage& out, int originX,
                    int originY) {
    if (cells.lastColumn < cells.firstColumn || cells.lastRow < cells.firstRow)
        return;
    // The grid colour under the whole range; the cell pictures leave only the lines.
    FillImageRect(out, grid.cellLeft(cells.firstColumn) - originX,
                  grid.cellTop(cells.firstRow) - originY,
                  grid.cellLeft(cells.lastColumn + 1) - originX - 1,
                  grid.cellTop(cells.lastRow + 1) - originY - 1, gridColor);
    BlockLook look = canvasLook(tileSet);
    for (int row = cells.firstRow; row <= cells.lastRow; ++row)
        for (int column = cells.firstColumn; column <= cells.lastColumn; ++column) {
            LookOfCell(look, stroke.shownCell(column, row));
            PaintBlock(tileSet, look, out, grid.cellLeft(column) - originX,
                       grid.cellTop(row) - originY);
        }
}

void PaintMapFrame(const TileSet& tileSet, const CellGrid& grid, int column, int row, int frame,
                   int palette, RgbImage& out, int originX, int originY) {
    BlockLook look = canvasLook(tileSet);
    look.firstTile = frame;
    look.palette = palette;
    PaintBlock(tileSet, look, out, grid.cellLeft(column) - originX, grid.cellTop(row) - originY);
}

} // namespace tessivar
