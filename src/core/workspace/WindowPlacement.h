#pragma once

// Where windows go on the screen, in screen pixels with frames included. Every window
// stays inside the screen's available area (the screen less panels and docks); a second
// window opens beside the one it belongs to when there is room, else offset from it so
// that the first is never fully covered.

namespace tessivar {

struct WindowRect {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    int Right() const { return X + Width; } // one past the last column
    int Bottom() const { return Y + Height; }
    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// `window` moved (and, when larger than the area, shrunk) to lie inside `available`.
WindowRect KeepInside(WindowRect window, const WindowRect& available);

// A window of `width` x `height` placed for the first time beside `owner`: to its right,
// else to its left, top edges level; when neither side has room, to its right slid back
// onto the screen as far as needed, as long as the owner's left edge stays in view; else
// offset right and down from the owner's top-left corner by `offset` (or up and left
// when that leaves a corner of the owner in view). Always inside `available`.
WindowRect PlaceBeside(const WindowRect& owner, int width, int height, const WindowRect& available,
                       int offset = 40);

} // namespace tessivar
