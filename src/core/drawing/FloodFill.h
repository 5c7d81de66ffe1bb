#pragma once

// The one flood fill of the program, for any grid: the Block of the tile canvas and the
// map both use it. It fills the 4-connected region around a start cell, row span by row
// span, from an explicit work list, so a region of millions of cells needs no recursion
// and only a small list of pending spans.

#include "core/drawing/DrawingTypes.h"

#include <cstddef>
#include <vector>

namespace tessivar {

// Fills the region of `width` x `height` cells that contains `start`. `canFill(x, y)`
// says whether a cell belongs to the region; `paint(x, y)` fills it and must make
// `canFill` false for that cell from then on (the new value differs from the old).
// Cells outside the grid are never asked about. Returns the number of cells painted.
template <typename CanFill, typename Paint>
std::size_t FloodFillGrid(int width, int height, GridPoint start, CanFill&& canFill,
                          Paint&& paint) {
    if (start.X < 0 || start.Y < 0 || start.X >= width || start.Y >= height ||
        !canFill(start.X, start.Y))
        return 0;
    // A pending seed: a cell on row y that may start or lie inside an unfilled span.
    std::vector<GridPoint> seeds;
    seeds.push_back(start);
    std::size_t painted = 0;
    // Pushes one seed per run of fillable cells of row y within [left, right].
    auto scanRow = [&](int y, int left, int right) {
        if (y < 0 || y >= height)
            return;
        bool inRun = false;
        for (int x = left; x <= right; ++x) {
            const bool fillable = canFill(x, y);
            if (fillable && !inRun)
                seeds.push_back({x, y});
            inRun = fillable;
        }
    };
    while (!seeds.empty()) {
        const GridPoint seed = seeds.back();
        seeds.pop_back();
        if (!canFill(seed.X, seed.Y))
            continue; // filled through another span since it was pushed
        int left = seed.X;
        while (left > 0 && canFill(left - 1, seed.Y))
            --left;
        int right = seed.X;
        while (right + 1 < width && canFill(right + 1, seed.Y))
            ++right;
        for (int x = left; x <= right; ++x)
            paint(x, seed.Y);
        painted += static_cast<std::size_t>(right - left + 1);
        scanRow(seed.Y - 1, left, right);
        scanRow(seed.Y + 1, left, right);
    }
    return painted;
}

} // namespace tessivar
