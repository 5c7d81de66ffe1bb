#pragma once

#include <QIcon>

namespace tessivar::ui {

// The editors' small pictures, drawn by the program itself so no image files need
// to travel with it: the four drawing tools, the seven transforms, the animation
// preview button and the check marks of the rectangle pop-up.
enum class ToolPicture {
    Pen,
    Fill,
    Rectangle,
    Line,
    ShiftLeft,
    ShiftUp,
    ShiftDown,
    ShiftRight,
    FlipHorizontal,
    FlipVertical,
    RotateRight,
    Animation,
    FilledMark,
    HollowMark,
};

// A 16 x 16 picture for menu check marks, 24 x 24 for buttons.
QIcon ToolIcon(ToolPicture picture);

} // namespace tessivar::ui
