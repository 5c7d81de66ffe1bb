#include "core/render/CanvasPainter.h"

#include "core/render/BlockPainter.h"
#include "core/render/PaletteColors.h"

#include <algorithm>

namespace tessivar {

CellGeometry TileCanvasGrid(BlockSize block, int zoom) {
    return CellGeometry(zoom, zoom, block.Width, block.Height);
}

void PaintTileCanvas(const TileSet& tileSet, const CanvasLook& look, CellRange range,
                     RgbImage& canvas) {
    const BlockSize block = tileSet.Block;
    const int b = look.FirstTile;
    if (!BlockFitsInSlots(block, b))
        return;
    const CellGeometry grid = TileCanvasGrid(block, look.Zoom);
    range.FirstColumn = std::max(range.FirstColumn, 0);
    range.FirstRow = std::max(range.FirstRow, 0);
    range.LastColumn = std::min(range.LastColumn, block.Width - 1);
    range.LastRow = std::min(range.LastRow, block.Height - 1);
    if (look.Zoom <= 0 || range.LastColumn < range.FirstColumn || range.LastRow < range.FirstRow)
        return;
    const std::uint32_t line = PackRgb(look.GridColor);
    const PaletteColors colors(tileSet, look.PaletteSet);
    // Square x spans screen columns left(x)..right(x), its outline on both edges; a Tile
    // boundary starts one pixel later, so the grid is doubled there. Rows likewise.
    auto squareStart = [&](int i) {
        return i * look.Zoom + (i != 0 && i % kTileSide == 0 ? 1 : 0);
    };
    const int spanLeft = squareStart(range.FirstColumn);
    const int spanRight = grid.CellLeft(range.LastColumn + 1);
    const int clipRight = std::min(spanRight, canvas.Width - 1);
    for (int y = range.FirstRow; y <= range.LastRow; ++y) {
        const int top = squareStart(y);
        const int bottom = grid.CellTop(y + 1);
        FillImageRect(canvas, spanLeft, top, spanRight, top, line);
        FillImageRect(canvas, spanLeft, bottom, spanRight, bottom, line);
        if (bottom - top < 2 || top + 1 >= canvas.Height || spanLeft >= canvas.Width)
            continue;
        // The first row inside the squares, copied down to the others.
        std::uint32_t* row = &canvas.At(0, top + 1);
        for (int x = range.FirstColumn; x <= range.LastColumn; ++x) {
            const int left = squareStart(x);
            const int right = grid.CellLeft(x + 1);
            if (left > clipRight)
                break;
            std::uint32_t fill =
                colors(tileSet.GetBlockPixelPalette(b, x, y), tileSet.GetBlockPixel(b, x, y));
            if (look.Preview)
                if (const auto preview = look.Preview(x, y))
                    fill = colors(look.PreviewPalette, *preview);
            row[left] = line;
            std::fill(row + left + 1, row + std::min(right, clipRight + 1), fill);
            if (right <= clipRight)
                row[right] = line;
        }
        const int lastInside = std::min(bottom - 1, canvas.Height - 1);
        for (int copy = top + 2; copy <= lastInside; ++copy)
            std::copy(row + spanLeft, row + clipRight + 1, &canvas.At(spanLeft, copy));
    }
}

RgbImage RenderTileCanvas(const TileSet& tileSet, const CanvasLook& look) {
    const BlockSize block = tileSet.Block;
    RgbImage canvas(block.Width * look.Zoom, block.Height * look.Zoom, PackRgb(look.GridColor));
    PaintTileCanvas(tileSet, look, {0, block.Width - 1, 0, block.Height - 1}, canvas);
    return canvas;
}

} // namespace tessivar
