#pragma once

// Value types of the grid algorithms: a cell position on any grid (Block pixels, map
// cells) and the two ways a rectangle is drawn.

namespace tessivar {

struct GridPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const GridPoint&, const GridPoint&) = default;
};

enum class RectangleMode { Filled, Hollow };

} // namespace tessivar
