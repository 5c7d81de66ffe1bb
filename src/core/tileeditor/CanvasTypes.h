#pragma once

// Small value types shared by the tile editor's operations: a Block pixel position, a
// rectangle of Block pixels to repaint, and the drawing tools the canvas knows about.

#include "core/grid/GridTypes.h"
#include "core/grid/MouseButton.h"

namespace tessivar {

using BlockPoint = GridPoint;

// A rectangle of Block pixels (not screen pixels); empty when width or height is 0.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool empty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

enum class DrawingTool { Pen, Fill, Rectangle, Line };

} // namespace tessivar
