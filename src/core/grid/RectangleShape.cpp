#include "core/grid/RectangleShape.h"

#include <algorithm>

namespace tessivar {

RectangleShape::RectangleShape(GridPoint cornerA, GridPoint cornerB, RectangleMode mode)
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

void RectangleShape::forEachCell(const std::function<void(int x, int y)>& visit) const {
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
