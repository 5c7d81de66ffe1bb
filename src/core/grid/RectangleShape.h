#pragma once

// The rectangle tools' shape on any grid: two corners in either order, filled or hollow.
// A drag preview asks covers() per cell; the release visits the same cells with
// forEachCell().

#include "core/grid/GridTypes.h"

#include <functional>

namespace tessivar {

class RectangleShape {
public:
    RectangleShape(GridPoint cornerA, GridPoint cornerB, RectangleMode mode);

    // Inside the rectangle (filled) or on its first/last row or column (hollow).
    bool covers(int x, int y) const;
    // Every covered cell, row by row.
    void forEachCell(const std::function<void(int x, int y)>& visit) const;

    int left() const { return left_; }
    int top() const { return top_; }
    int right() const { return right_; } // inclusive
    int bottom() const { return bottom_; }

private:
    int left_, top_, right_, bottom_;
    RectangleMode mode_;
};

} // namespace tessivar
