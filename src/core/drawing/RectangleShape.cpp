#include "core/drawing/RectangleShape.h"

#include <algorithm>

namespace tessivar {

RectangleShape::RectangleShape(GridPoint cornerA, GridPoint cornerB, RectangleMode mode)
    : left_(std::min(cornerA.X, cornerB.X))
    , top_(std::min(cornerA.Y, cornerB.Y))
    , right_(std::max(cornerA.X, cornerB.X))
    , bottom_(std::max(cornerA.Y, cornerB.Y))
    , mode_(mode) {}

bool RectangleShape::Covers(int x, int y) const {
    if (x < left_ || x > right_ || y < top_ || y > bottom_)
        return false;
    if (mode_ == RectangleMode::Filled)
        return true;
    return x == left_ || x == right_ || y == top_ || y == bottom_;
}

void RectangleShape::ForEachCell(const std::function<void(int x, int y)>& visit) const {
    for (int y = top_; y <= bottom_; ++y) {
        const bool wholeRow = mode_ == RectangleMode::Filled || y == top_ || y == bottom_;
        if (wholeRow) {
            for (int x = left_; x <= right_; ++x)
                visit(x, y);
        } else {
            visit(left_, y);
            if (right_ != left_)
                visit(right_, y);
        }
    }
}

} // namespace tessivar
