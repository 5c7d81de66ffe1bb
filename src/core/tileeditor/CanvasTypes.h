#pragma once

// Small value types shared by the tile editor's operations: a Block pixel position, a
// rectangle of Block pixels to repaint, and the drawing tools the canvas knows about.

#include "core/drawing/DrawingTypes.h"
#include "core/drawing/MouseButton.h"

namespace tessivar {

using BlockPoint = GridPoint;

// A rectangle of Block pixels (not screen pixels); empty when width or height is 0.
struct PixelRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    bool empty() const { return Width <= 0 || Height <= 0; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

enum class DrawingTool { Pen, Fill, Rectangle, Line };

} // namespace tessivar
