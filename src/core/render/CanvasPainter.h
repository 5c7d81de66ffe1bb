#pragma once

// The tile canvas picture: the Block zoomed up, each Block pixel a zoom x zoom square
// outlined in the grid colour. The outline is one screen pixel wide, and two where Tiles
// meet. While a rectangle or line is dragged the preview tells which pixels show the
// drawing colour instead of their own; it is plain data to the painter, so the canvas
// renders the same with or without a window.

#include "core/picture/RgbImage.h"
#include "core/render/CellGeometry.h"

#include <functional>
#include <optional>

namespace tessivar {

// The colour index Block pixel (x, y) shows instead of its own, or nullopt.
using CanvasPreview = std::function<std::optional<ColorIndex>(int x, int y)>;

struct CanvasLook {
    int FirstTile = 0;      // the Block on the canvas (CurrentTile)
    int PaletteSet = 0;     // CurrentPaletteSet
    int PreviewPalette = 0; // palette of the preview colour (CurrentPalette)
    int Zoom = 32;
    Rgb GridColor{0, 0, 0};
    CanvasPreview Preview; // empty: no drag in progress
};

// One cell per Block pixel, zoom screen pixels apart.
CellGeometry TileCanvasGrid(BlockSize block, int zoom);

// Paints the Block pixels of `range` into `canvas` (BlockWidth x zoom by BlockHeight x
// zoom). Draws nothing for a Block that would reach past the last Tile slot.
void PaintTileCanvas(const TileSet& tileSet, const CanvasLook& look, CellRange range,
                     RgbImage& canvas);

// A fresh canvas picture of the whole Block.
RgbImage RenderTileCanvas(const TileSet& tileSet, const CanvasLook& look);

} // namespace tessivar
