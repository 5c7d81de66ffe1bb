#pragma once

// The rectangle tools' shape on any grid: two corners in either order, filled or hollow.
// A drag preview asks Covers() per cell; the release visits the same cells with
// ForEachCell().

#include "core/drawing/DrawingTypes.h"

#include <functional>

namespace tessivar {

class RectangleShape {
public:
    RectangleShape(GridPoint cornerA, GridPoint cornerB, RectangleMode mode);

    // Inside the rectangle (filled) or on its first/last row or column (hollow).
    bool Covers(int x, int y) const;
    // Every covered cell, row by row.
    void ForEachCell(const std::function<void(int x, int y)>& visit) const;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Right() const { return right_; } // inclusive
    int Bottom() const { return bottom_; }

private:
    int left_, top_, right_, bottom_;
    RectangleMode mode_;
};

} // namespace tessivar
