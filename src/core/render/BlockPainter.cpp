#include "core/render/BlockPainter.h"

#include "core/render/PaletteColors.h"

#include <algorithm>
#include <array>

namespace tessivar {

bool BlockFitsInSlots(BlockSize block, int firstTile) {
    return firstTile >= 0 && firstTile <= kMaxTiles - block.TilesPerBlock();
}

void FillImageRect(RgbImage& out, int left, int top, int right, int bottom, std::uint32_t color) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, out.Width - 1);
    bottom = std::min(bottom, out.Height - 1);
    if (right < left || bottom < top)
        return;
    for (int row = top; row <= bottom; ++row)
        std::fill_n(&out.At(left, row), right - left + 1, color);
}

void PaintBlock(const TileSet& tileSet, const BlockLook& look, RgbImage& out, int x, int y) {
    const BlockSize block = look.Block;
    const int zoom = look.Zoom;
    const int width = block.Width * zoom;
    const int height = block.Height * zoom;
    // The visible part of the picture, in output coordinates (right and bottom exclusive).
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    const int right = std::min(x + width, out.Width);
    const int bottom = std::min(y + height, out.Height);
    if (zoom <= 0 || right <= left || bottom <= top)
        return;
    if (!BlockFitsInSlots(block, look.FirstTile)) {
        FillImageRect(out, left, top, right - 1, bottom - 1, kBlankBlockColor);
        return;
    }
    const int first = look.FirstTile;
    const int set =
        look.PaletteSet == kFirstTilesPaletteSet ? tileSet.TilePaletteSet[first] : look.PaletteSet;
    const PaletteColors colors(tileSet, set);

    for (int sourceRow = 0; sourceRow < block.Height; ++sourceRow) {
        const int shownRow = look.VFlip ? block.Height - 1 - sourceRow : sourceRow;
        const int bandTop = std::max(y + shownRow * zoom, top);
        const int bandBottom = std::min(y + (shownRow + 1) * zoom, bottom);
        if (bandBottom <= bandTop)
            continue;
        // Build the band's first row, then copy it down the band.
        std::uint32_t* row = &out.At(0, bandTop);
        for (int sourceColumn = 0; sourceColumn < block.Width; ++sourceColumn) {
            const int shownColumn = look.HFlip ? block.Width - 1 - sourceColumn : sourceColumn;
            const int spanLeft = std::max(x + shownColumn * zoom, left);
            const int spanRight = std::min(x + (shownColumn + 1) * zoom, right);
            if (spanRight <= spanLeft)
                continue;
            const int palette = look.Palette == kEachTilesPalette
                                    ? tileSet.PaletteIn(block, first, sourceColumn, sourceRow)
                                    : look.Palette;
            std::fill(row + spanLeft, row + spanRight,
                      colors(palette, tileSet.PixelIn(block, first, sourceColumn, sourceRow)));
        }
        for (int copyRow = bandTop + 1; copyRow < bandBottom; ++copyRow)
            std::copy(row + left, row + right, &out.At(left, copyRow));
    }
}

} // namespace tessivar
