#pragma once

// The rectangle tool's shape: two corners in either order, filled or hollow. The drag
// preview asks covers() per pixel; the mouse-up draws the same pixels with Draw().

#include "core/model/TileSet.h"
#include "core/tileeditor/CanvasTypes.h"

namespace tessivar {

class RectangleShape {
public:
    RectangleShape(BlockPoint cornerA, BlockPoint cornerB, RectangleMode mode);

    // Inside the rectangle (filled) or on its first/last row or column (hollow).
    bool covers(int x, int y) const;
    // Sets every covered pixel of the Block that starts at `firstTile`.
    void Draw(TileSet& tileSet, int firstTile, ColorIndex color) const;
    PixelRect bounds() const { return {left_, top_, right_ - left_ + 1, bottom_ - top_ + 1}; }

private:
    int left_, top_, right_, bottom_;
    RectangleMode mode_;
};

} // namespace tessivar
