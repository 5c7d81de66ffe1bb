#include "core/tileeditor/FloodFill.h"

#include <vector>

namespace tessivar {

bool FloodFillBlock(TileSet& tileSet, int firstTile, BlockPoint start, ColorIndex color,
                    int palette) {
    const BlockSize block = tileSet.block;
    const ColorIndex target = tileSet.GetBlockPixel(firstTile, start.x, start.y);
    if (target == color)
        return false;

    // An explicit work list: the largest Block has 30 720 pixels, far too deep for
    // recursion. A pixel is recoloured when pushed, so it is never pushed twice.
    std::vector<BlockPoint> pending;
    pending.reserve(static_cast<std::size_t>(block.width) * block.height);
    auto visit = [&](int x, int y) {
        if (!block.contains(x, y) || tileSet.GetBlockPixel(firstTile, x, y) != target)
            return;
        tileSet.SetBlockPixel(firstTile, x, y, color);
        tileSet.SetBlockPixelPalette(firstTile, x, y, palette);
        pending.push_back({x, y});
    };
    visit(start.x, start.y);
    while (!pending.empty()) {
        const BlockPoint p = pending.back();
        pending.pop_back();
        visit(p.x - 1, p.y);
        visit(p.x + 1, p.y);
        visit(p.x, p.y - 1);
        visit(p.x, p.y + 1);
    }
    return true;
}

} // namespace tessivar
