#include "core/tileeditor/BlockTransforms.h"

#include <array>
#include <utility>

namespace tessivar {

namespace {

void SwapPixels(TileSet& tileSet, int b, int x1, int y1, int x2, int y2) {
    const ColorIndex first = tileSet.GetBlockPixel(b, x1, y1);
    tileSet.SetBlockPixel(b, x1, y1, tileSet.GetBlockPixel(b, x2, y2));
    tileSet.SetBlockPixel(b, x2, y2, first);
}

} // namespace

void ShiftBlockLeft(TileSet& tileSet, int b) {
    const int w = tileSet.Block.Width;
    for (int y = 0; y < tileSet.Block.Height; ++y) {
        const ColorIndex kept = tileSet.GetBlockPixel(b, 0, y);
        for (int x = 0; x + 1 < w; ++x)
            tileSet.SetBlockPixel(b, x, y, tileSet.GetBlockPixel(b, x + 1, y));
        tileSet.SetBlockPixel(b, w - 1, y, kept);
    }
}

void ShiftBlockRight(TileSet& tileSet, int b) {
    const int w = tileSet.Block.Width;
    for (int y = 0; y < tileSet.Block.Height; ++y) {
        const ColorIndex kept = tileSet.GetBlockPixel(b, w - 1, y);
        for (int x = w - 1; x > 0; --x)
            tileSet.SetBlockPixel(b, x, y, tileSet.GetBlockPixel(b, x - 1, y));
        tileSet.SetBlockPixel(b, 0, y, kept);
    }
}

void ShiftBlockUp(TileSet& tileSet, int b) {
    const int h = tileSet.Block.Height;
    for (int x = 0; x < tileSet.Block.Width; ++x) {
        const ColorIndex kept = tileSet.GetBlockPixel(b, x, 0);
        for (int y = 0; y + 1 < h; ++y)
            tileSet.SetBlockPixel(b, x, y, tileSet.GetBlockPixel(b, x, y + 1));
        tileSet.SetBlockPixel(b, x, h - 1, kept);
    }
}

void ShiftBlockDown(TileSet& tileSet, int b) {
    const int h = tileSet.Block.Height;
    for (int x = 0; x < tileSet.Block.Width; ++x) {
        const ColorIndex kept = tileSet.GetBlockPixel(b, x, h - 1);
        for (int y = h - 1; y > 0; --y)
            tileSet.SetBlockPixel(b, x, y, tileSet.GetBlockPixel(b, x, y - 1));
        tileSet.SetBlockPixel(b, x, 0, kept);
    }
}

void FlipBlockHorizontal(TileSet& tileSet, int b) {
    const int w = tileSet.Block.Width;
    for (int x = 0; x < w / 2; ++x)
        for (int y = 0; y < tileSet.Block.Height; ++y)
            SwapPixels(tileSet, b, x, y, w - 1 - x, y);
}

void FlipBlockVertical(TileSet& tileSet, int b) {
    const int h = tileSet.Block.Height;
    for (int y = 0; y < h / 2; ++y)
        for (int x = 0; x < tileSet.Block.Width; ++x)
            SwapPixels(tileSet, b, x, y, x, h - 1 - y);
}

bool RotateBlockRight(TileSet& tileSet, int b) {
    const int side = tileSet.Block.Width;
    if (side != tileSet.Block.Height)
        return false;
    // A square Block is at most 128 x 128 (the height limit); static so that a turn
    // allocates nothing and does not put 16 KiB on the stack.
    static std::array<ColorIndex, kMaxBlockHeight * kMaxBlockHeight> old;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            old[static_cast<std::size_t>(y) * side + x] = tileSet.GetBlockPixel(b, x, y);
    // new(x, y) = old(y, side - 1 - x): the new top row is the old left column, bottom up.
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            tileSet.SetBlockPixel(b, x, y, old[static_cast<std::size_t>(side - 1 - x) * side + y]);
    return true;
}

void ClearBlock(TileSet& tileSet, int b) {
    for (int t = 0; t < tileSet.TilesPerBlock(); ++t)
        tileSet.Tiles[b + t].fill(0);
    tileSet.TilePalette[b] = 0;
    tileSet.TilePaletteSet[b] = 0;
}

} // namespace tessivar
