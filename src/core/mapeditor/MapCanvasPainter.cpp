#include "core/mapeditor/MapCanvasPainter.h"

namespace tessivar {

namespace {

BlockLook CanvasLookOf(const TileSet& tileSet) {
    BlockLook look;
    look.Block = tileSet.Block;
    look.PaletteSet = 0; // the map editor always shows palette set 0
    look.Zoom = 2;
    return look;
}

} // namespace

void PaintMapCanvas(const TileSet& tileSet, const MapStroke& stroke, const CellGeometry& grid,
                    CellRange cells, std::uint32_t gridColor, RgbImage& out, int originX,
                    int originY) {
    if (cells.LastColumn < cells.FirstColumn || cells.LastRow < cells.FirstRow)
        return;
    // The grid colour under the whole range; the cell pictures leave only the lines.
    FillImageRect(out, grid.CellLeft(cells.FirstColumn) - originX,
                  grid.CellTop(cells.FirstRow) - originY,
                  grid.CellLeft(cells.LastColumn + 1) - originX - 1,
                  grid.CellTop(cells.LastRow + 1) - originY - 1, gridColor);
    BlockLook look = CanvasLookOf(tileSet);
    for (int row = cells.FirstRow; row <= cells.LastRow; ++row)
        for (int column = cells.FirstColumn; column <= cells.LastColumn; ++column) {
            LookOfCell(look, stroke.ShownCell(column, row));
            PaintBlock(tileSet, look, out, grid.CellLeft(column) - originX,
                       grid.CellTop(row) - originY);
        }
}

void PaintMapFrame(const TileSet& tileSet, const CellGeometry& grid, int column, int row, int frame,
                   int palette, RgbImage& out, int originX, int originY) {
    BlockLook look = CanvasLookOf(tileSet);
    look.FirstTile = frame;
    look.Palette = palette;
    PaintBlock(tileSet, look, out, grid.CellLeft(column) - originX, grid.CellTop(row) - originY);
}

} // namespace tessivar
