#include "core/tileeditor/RectangleShape.h"

#include <algorithm>

namespace tessivar {

RectangleShape::RectangleShape(BlockPoint cornerA, BlockPoint cornerB, RectangleMode mode)
    : left_(std::min(cornerA.x, cornerB.x))
    , top_(std::min(cornerA.y, cornerB.y))
    , right_(std::max(cornerA.x, cornerB.x))
    , bottom_(std::max(cornerA.y, cornerB.y))
    , mode_(mode) {}

bool RectangleShape::covers(int x, int y) const {
    if (x < left_ || x > right_ || y < top_ || y > bottom_)
        return false;
    if (mode_ == RectangleMode::Filled)
        return true;
    return x == left_ || x == right_ || y == top_ || y == bottom_;
}

void RectangleShape::Draw(TileSet& tileSet, int firstTile, ColorIndex color) const {
    for (int y = top_; y <= bottom_; ++y)
        for (int x = left_; x <= right_; ++x)
            if (covers(x, y))
                tileSet.SetBlockPixel(firstTile, x, y, color);
}

} // namespace tessivar
