#include "core/grid/LinePixels.h"

#include <cstdlib>
#include <utility>

namespace tessivar {

std::vector<GridPoint> LinePixels(GridPoint from, GridPoint to) {
    if (to.x - from.x < 0 && to.y - from.y < 0)
        std::swap(from, to);
    const int dx = to.x - from.x;
    const int dy = to.y - from.y;
    const int ax = std::abs(dx);
    const int ay = std::abs(dy);
    const int sx = dx >= 0 ? 1 : -1;
    const int sy = dy >= 0 ? 1 : -1;

    std::vector<GridPoint> points;
    if (ax <= ay) {
        points.reserve(static_cast<std::size_t>(ay) + 1);
        int x = from.x;
        int err = ay / 2;
        for (int y = from.y;; y += sy) {
            points.push_back({x, y});
            if (y == to.y)
                break;
            err += ax;
            if (err >= ay) {
                err -= ay;
                x += sx;
            }
        }
    } else {
        points.reserve(static_cast<std::size_t>(ax) + 1);
        int y = from.y;
        int err = ax / 2;
        for (int x = from.x;; x += sx) {
            points.push_back({x, y});
            if (x == to.x)
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
