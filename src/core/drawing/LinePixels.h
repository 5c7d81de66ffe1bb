#pragma once

// The one line routine of the drawing tools. The drag preview and the committed line both
// come from here, so what the user sees while dragging is exactly what gets drawn.

#include "core/drawing/DrawingTypes.h"

#include <vector>

namespace tessivar {

// Every cell of the line from (x1, y1) to (x2, y2), both ends included, in the
// order they are plotted. A line whose two deltas are both negative is drawn from the
// other end, which keeps the pixel choice independent of the drag direction there.
std::vector<GridPoint> LinePixels(GridPoint from, GridPoint to);

} // namespace tessivar
