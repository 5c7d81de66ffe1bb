#include "core/tileeditor/TileRendering.h"

#include <algorithm>

namespace tessivar {

namespace {

constexpr std::uint32_t kBlankColor = 0xFF000000u;

bool blockFitsInSlots(const TileSet& tileSet, int firstTile) {
    return firstTile >= 0 && firstTile + tileSet.TilesPerBlock() <= kMaxTiles;
}

// Palette numbers and colour indexes are masked into range: a stray value must not
// index past the palette table.
std::uint32_t paletteColor(const TileSet& tileSet, int set, int palette, int color) {
    return PackRgb(DisplayColor(tileSet.paletteTable[set & 7][palette & 7][color & 3]));
}

void fillRect(RgbImage& image, int left, int top, int right, int bottom, std::uint32_t color) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, image.width - 1);
    bottom = std::min(bottom, image.height - 1);
    if (right < left || bottom < top)
        return;
    for (int y = top; y <= bottom; ++y)
        std::fill_n(&image.at(left, y), right - left + 1, color);
}

} // namespace

RgbImage RenderTileListBlock(const TileSet& tileSet, int firstTile, int listZoom) {
    const BlockSize block = tileSet.block;
    RgbImage image(block.width * listZoom, block.height * listZoom, kBlankColor);
    if (!blockFitsInSlots(tileSet, firstTile))
        return image;
    const int set = tileSet.tilePaletteSet[firstTile];
    for (int y = 0; y < block.height; ++y)
        for (int x = 0; x < block.width; ++x) {
            const std::uint32_t color =
                paletteColor(tileSet, set, tileSet.GetBlockPixelPalette(firstTile, x, y),
                             tileSet.GetBlockPixel(firstTile, x, y));
            fillRect(image, x * listZoom, y * listZoom, (x + 1) * listZoom - 1,
                     (y + 1) * listZoom - 1, color);
        }
    return image;
}

RgbImage RenderMapCell(const TileSet& tileSet, int paletteSet, const MapCell& cell) {
    const BlockSize block = tileSet.block;
    const int width = 2 * block.width;
    const int height = 2 * block.height;
    RgbImage image(width, height, kBlankColor);
    const int first = cell.Tile;
    if (!blockFitsInSlots(tileSet, first))
        return image;
    for (int y = 0; y < height; ++y) {
        const int row = cell.VFlip ? height - 1 - y : y;
        for (int x = 0; x < width; ++x) {
            const int column = cell.HFlip ? width - 1 - x : x;
            image.at(column, row) = paletteColor(tileSet, paletteSet, cell.Palette,
                                                 tileSet.GetBlockPixel(first, x / 2, y / 2));
        }
    }
    return image;
}

CellRange DamagedCells(ScreenRect damaged, int cellWidth, int cellHeight, int columns, int rows) {
    if (columns <= 0 || rows <= 0)
        return CellRange{};
    CellRange range;
    range.firstColumn = std::clamp(damaged.left / cellWidth - 1, 0, columns - 1);
    range.lastColumn = std::clamp(damaged.right / cellWidth + 1, 0, columns - 1);
    range.firstRow = std::clamp(damaged.top / cellHeight - 1, 0, rows - 1);
    range.lastRow = std::clamp(damaged.bottom / cellHeight + 1, 0, rows - 1);
    return range;
}

void PaintCanvas(const TileSet& tileSet, const EditingState& editing, const CanvasPaint& paint,
                 CellRange range, RgbImage& canvas) {
    const int b = editing.CurrentTile;
    if (!blockFitsInSlots(tileSet, b))
        return;
    const int zoom = paint.zoom;
    const std::uint32_t grid = PackRgb(paint.gridColor);
    const int set = editing.CurrentPaletteSet;
    for (int x = range.firstColumn; x <= range.lastColumn; ++x) {
        // A Tile boundary starts one pixel later, so the grid is doubled there.
        const int left = x * zoom + (x != 0 && x % kTileSide == 0 ? 1 : 0);
        const int right = (x + 1) * zoom;
        for (int y = range.firstRow; y <= range.lastRow; ++y) {
            const int top = y * zoom + (y != 0 && y % kTileSide == 0 ? 1 : 0);
            const int bottom = (y + 1) * zoom;
            std::uint32_t fill = paletteColor(tileSet, set, tileSet.GetBlockPixelPalette(b, x, y),
                                              tileSet.GetBlockPixel(b, x, y));
            if (paint.stroke)
                if (const auto preview = paint.stroke->previewColorAt(x, y))
                    fill = paletteColor(tileSet, set, editing.CurrentPalette, *preview);
            fillRect(canvas, left, top, right, top, grid);
            fillRect(canvas, left, bottom, right, bottom, grid);
            fillRect(canvas, left, top + 1, left, bottom - 1, grid);
            fillRect(canvas, right, top + 1, right, bottom - 1, grid);
            fillRect(canvas, left + 1, top + 1, right - 1, bottom - 1, fill);
        }
    }
}

RgbImage RenderCanvas(const TileSet& tileSet, const EditingState& editing,
                      const CanvasPaint& paint) {
    const BlockSize block = tileSet.block;
    RgbImage canvas(block.width * paint.zoom, block.height * paint.zoom, PackRgb(paint.gridColor));
    PaintCanvas(tileSet, editing, paint, {0, block.width - 1, 0, block.height - 1}, canvas);
    return canvas;
}

} // namespace tessivar
