#include "core/render/CanvasPainter.h"

#include "core/render/BlockPainter.h"
#include "core/render/PaletteColors.h"

namespace tessivar {

CellGrid TileCanvasGrid(BlockSize block, int zoom) {
    return CellGrid(zoom, zoom, block.width, block.height);
}

void PaintTileCanvas(const TileSet& tileSet, const CanvasLook& look, CellRange range,
                     RgbImage& canvas) {
    const BlockSize block = tileSet.block;
    const int b = look.firstTile;
    if (!BlockFitsInSlots(block, b))
        return;
    const CellGrid grid = TileCanvasGrid(block, look.zoom);
    const std::uint32_t line = PackRgb(look.gridColor);
    const PaletteColors colors(tileSet, look.paletteSet);
    for (int x = range.firstColumn; x <= range.lastColumn; ++x) {
        // A Tile boundary starts one pixel later, so the grid is doubled there.
        const int left = grid.cellLeft(x) + (x != 0 && x % kTileSide == 0 ? 1 : 0);
        const int right = grid.cellLeft(x + 1);
        for (int y = range.firstRow; y <= range.lastRow; ++y) {
            const int top = grid.cellTop(y) + (y != 0 && y % kTileSide == 0 ? 1 : 0);
            const int bottom = grid.cellTop(y + 1);
            std::uint32_t fill =
                colors(tileSet.GetBlockPixelPalette(b, x, y), tileSet.GetBlockPixel(b, x, y));
            if (look.preview)
                if (const auto preview = look.preview(x, y))
                    fill = colors(look.previewPalette, *preview);
            FillImageRect(canvas, left, top, right, top, line);
            FillImageRect(canvas, left, bottom, right, bottom, line);
            FillImageRect(canvas, left, top + 1, left, bottom - 1, line);
            FillImageRect(canvas, right, top + 1, right, bottom - 1, line);
            FillImageRect(canvas, left + 1, top + 1, right - 1, bottom - 1, fill);
        }
    }
}

RgbImage RenderTileCanvas(const TileSet& tileSet, const CanvasLook& look) {
    const BlockSize block = tileSet.block;
    RgbImage canvas(block.width * look.zoom, block.height * look.zoom, PackRgb(look.gridColor));
    PaintTileCanvas(tileSet, look, {0, block.width - 1, 0, block.height - 1}, canvas);
    return canvas;
}

} // namespace tessivar
