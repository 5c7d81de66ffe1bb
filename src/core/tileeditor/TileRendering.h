#pragma once

// Pictures of Blocks for the tile editor's views, as RgbImage buffers: the tile list's
// Block images, the map view pane's cells and the tile canvas with its pixel grid. The
// widgets only blit them and draw text and frames on top.

#include "core/model/MapDocument.h"
#include "core/picture/RgbImage.h"
#include "core/render/CellGrid.h"
#include "core/tileeditor/CanvasStroke.h"

namespace tessivar {

// Block `firstTile` at ListZoom: palette set of the first Tile, each pixel in its own
// Tile's palette. A Block that would reach past the last slot is drawn blank.
RgbImage RenderTileListBlock(const TileSet& tileSet, int firstTile, int listZoom);

// One map cell at twice the Block size, in the cell's palette of `paletteSet`, flipped
// as the cell says. A Tile number whose Block would reach past the last slot (map files
// may hold any 16-bit number) is drawn blank.
RgbImage RenderMapCell(const TileSet& tileSet, int paletteSet, const MapCell& cell);

CellRange DamagedCells(ScreenRect damaged, int cellWidth, int cellHeight, int columns, int rows);

// What the canvas paints beyond the Tiles: zoom, grid colour and the drag preview.
struct CanvasPaint {
    int zoom = 32;
    Rgb gridColor{0, 0, 0};
    const CanvasStroke* stroke = nullptr; // preview source; null: no preview
};

// Paints the Block pixels of `range` into `canvas` (BlockWidth x zoom by BlockHeight x
// zoom): each pixel a zoom x zoom square outlined in the grid colour, the outline one
// screen pixel wide and two where Tiles meet. The Block is the one at CurrentTile, in
// CurrentPaletteSet.
void PaintCanvas(const TileSet& tileSet, const EditingState& editing, const CanvasPaint& paint,
                 CellRange range, RgbImage& canvas);

// A fresh canvas picture of the whole Block.
RgbImage RenderCanvas(const TileSet& tileSet, const EditingState& editing,
                      const CanvasPaint& paint);

} // namespace tessivar
