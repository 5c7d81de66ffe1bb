#include "core/drawing/LinePixels.h"

#include <cstdlib>
#include <utility>

namespace tessivar {

std::vector<GridPoint> LinePixels(GridPoint from, GridPoint to) {
    if (to.X - from.X < 0 && to.Y - from.Y < 0)
        std::swap(from, to);
    const int dx = to.X - from.X;
    const int dy = to.Y - from.Y;
    const int ax = std::abs(dx);
    const int ay = std::abs(dy);
    const int sx = dx >= 0 ? 1 : -1;
    const int sy = dy >= 0 ? 1 : -1;

    std::vector<GridPoint> points;
    if (ax <= ay) {
        points.reserve(static_cast<std::size_t>(ay) + 1);
        int x = from.X;
        int err = ay / 2;
        for (int y = from.Y;; y += sy) {
            points.push_back({x, y});
            if (y == to.Y)
                break;
            err += ax;
            if (err >= ay) {
                err -= ay;
                x += sx;
            }
        }
    } else {
        points.reserve(static_cast<std::size_t>(ax) + 1);
        int y = from.Y;
        int err = ax / 2;
        for (int x = from.X;; x += sx) {
            points.push_back({x, y});
            if (x == to.X)
                break;
            err += ay;
            if (err >= ax) {
                err -= ax;
                y += sy;
            }
        }
    }
    return points;
}

} // namespace tessivar
