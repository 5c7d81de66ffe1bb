#include "core/render/BlockPainter.h"

#include "core/render/PaletteColors.h"

#include <algorithm>
#include <array>

namespace tessivar {

bool BlockFitsInSlots(BlockSize block, int firstTile) {
    return firstTile >= 0 && firstTile <= kMaxTiles - block.tilesPerBlock();
}

void FillImageRect(RgbImage& out, int left, int top, int right, int bottom, std::uint32_t color) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, out.width - 1);
    bottom = std::min(bottom, out.height - 1);
    if (right < left || bottom < top)
        return;
    for (int row = top; row <= bottom; ++row)
        std::fill_n(&out.at(left, row), right - left + 1, color);
}

void PaintBlock(const TileSet& tileSet, const BlockLook& look, RgbImage& out, int x, int y) {
    const BlockSize block = look.block;
    const int zoom = look.zoom;
    const int width = block.width * zoom;
    const int height = block.height * zoom;
    // The visible part of the picture, in output coordinates (right and bottom exclusive).
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    const int right = std::min(x + width, out.width);
    const int bottom = std::min(y + height, out.height);
    if (zoom <= 0 || right <= left || bottom <= top)
        return;
    if (!BlockFitsInSlots(block, look.firstTile)) {
        FillImageRect(out, left, top, right - 1, bottom - 1, kBlankBlockColor);
        return;
    }
    const int first = look.firstTile;
    const int set =
        look.paletteSet == kFirstTilesPaletteSet ? tileSet.tilePaletteSet[first] : look.paletteSet;
    const PaletteColors colors(tileSet, set);

    for (int sourceRow = 0; sourceRow < block.height; ++sourceRow) {
        const int shownRow = look.vFlip ? block.height - 1 - sourceRow : sourceRow;
        const int bandTop = std::max(y + shownRow * zoom, top);
        const int bandBottom = std::min(y + (shownRow + 1) * zoom, bottom);
        if (bandBottom <= bandTop)
            continue;
        // Build the band's first row, then copy it down the band.
        std::uint32_t* row = &out.at(0, bandTop);
        for (int sourceColumn = 0; sourceColumn < block.width; ++sourceColumn) {
            const int shownColumn = look.hFlip ? block.width - 1 - sourceColumn : sourceColumn;
            const int spanLeft = std::max(x + shownColumn * zoom, left);
            const int spanRight = std::min(x + (shownColumn + 1) * zoom, right);
            if (spanRight <= spanLeft)
                continue;
            const int palette = look.palette == kEachTilesPalette
                                    ? tileSet.paletteIn(block, first, sourceColumn, sourceRow)
                                    : look.palette;
            std::fill(row + spanLeft, row + spanRight,
                      colors(palette, tileSet.pixelIn(block, first, sourceColumn, sourceRow)));
        }
        for (int copyRow = bandTop + 1; copyRow < bandBottom; ++copyRow)
            std::copy(row + left, row + right, &out.at(left, copyRow));
    }
}

} // namespace tessivar
