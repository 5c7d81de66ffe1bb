#include "core/render/CanvasPainter.h"

#include "core/render/BlockPainter.h"
#include "core/render/PaletteColors.h"

#include <algorithm>

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
    range.firstColumn = std::max(range.firstColumn, 0);
    range.firstRow = std::max(range.firstRow, 0);
    range.lastColumn = std::min(range.lastColumn, block.width - 1);
    range.lastRow = std::min(range.lastRow, block.height - 1);
    if (look.zoom <= 0 || range.lastColumn < range.firstColumn || range.lastRow < range.firstRow)
        return;
    const std::uint32_t line = PackRgb(look.gridColor);
    const PaletteColors colors(tileSet, look.paletteSet);
    // Square x spans screen columns left(x)..right(x), its outline on both edges; a Tile
    // boundary starts one pixel later, so the grid is doubled there. Rows likewise.
    auto squareStart = [&](int i) {
        return i * look.zoom + (i != 0 && i % kTileSide == 0 ? 1 : 0);
    };
    const int spanLeft = squareStart(range.firstColumn);
    const int spanRight = grid.cellLeft(range.lastColumn + 1);
    const int clipRight = std::min(spanRight, canvas.width - 1);
    for (int y = range.firstRow; y <= range.lastRow; ++y) {
        const int top = squareStart(y);
        const int bottom = grid.cellTop(y + 1);
        FillImageRect(canvas, spanLeft, top, spanRight, top, line);
        FillImageRect(canvas, spanLeft, bottom, spanRight, bottom, line);
        if (bottom - top < 2 || top + 1 >= canvas.height || spanLeft >= canvas.width)
            continue;
        // The first row inside the squares, copied down to the others.
        std::uint32_t* row = &canvas.at(0, top + 1);
        for (int x = range.firstColumn; x <= range.lastColumn; ++x) {
            const int left = squareStart(x);
            const int right = grid.cellLeft(x + 1);
            if (left > clipRight)
                break;
            std::uint32_t fill =
                colors(tileSet.GetBlockPixelPalette(b, x, y), tileSet.GetBlockPixel(b, x, y));
            if (look.preview)
                if (const auto preview = look.preview(x, y))
                    fill = colors(look.previewPalette, *preview);
            row[left] = line;
            std::fill(row + left + 1, row + std::min(right, clipRight + 1), fill);
            if (right <= clipRight)
                row[right] = line;
        }
        const int lastInside = std::min(bottom - 1, canvas.height - 1);
        for (int copy = top + 2; copy <= lastInside; ++copy)
            std::copy(row + spanLeft, row + clipRight + 1, &canvas.at(spanLeft, copy));
    }
}

RgbImage RenderTileCanvas(const TileSet& tileSet, const CanvasLook& look) {
    const BlockSize block = tileSet.block;
    RgbImage canvas(block.width * look.zoom, block.height * look.zoom, PackRgb(look.gridColor));
    PaintTileCanvas(tileSet, look, {0, block.width - 1, 0, block.height - 1}, canvas);
    return canvas;
}

} // namespace tessivar
