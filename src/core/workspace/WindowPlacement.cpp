#include "core/workspace/WindowPlacement.h"

#include <algorithm>

namespace tessivar {

namespace {

// The start of a span of `length` inside [low, low + room): as close to `start` as fits.
int FitSpan(int start, int length, int low, int room) {
    return std::max(low, std::min(start, low + room - length));
}

} // namespace

WindowRect KeepInside(WindowRect window, const WindowRect& available) {
    window.Width = std::clamp(window.Width, 0, std::max(available.Width, 0));
    window.Height = std::clamp(window.Height, 0, std::max(available.Height, 0));
    window.X = FitSpan(window.X, window.Width, available.X, available.Width);
    window.Y = FitSpan(window.Y, window.Height, available.Y, available.Height);
    return window;
}

WindowRect PlaceBeside(const WindowRect& owner, int width, int height, const WindowRect& available,
                       int offset) {
    const WindowRect right{owner.Right(), owner.Y, width, height};
    if (right.Right() <= available.Right() && width <= available.Width)
        return KeepInside(right, available);
    const WindowRect left{owner.X - width, owner.Y, width, height};
    if (left.X >= available.X)
        return KeepInside(left, available);
    // No room on either side: slide in from the right as far as needed, so that the
    // owner's left part stays in view.
    const WindowRect slid = KeepInside(right, available);
    if (slid.X > owner.X)
        return slid;
    // Not even that: overlap, but leave a corner of the owner in view.
    const WindowRect down =
        KeepInside({owner.X + offset, owner.Y + offset, width, height}, available);
    if (down.X > owner.X || down.Y > owner.Y)
        return down;
    return KeepInside({owner.X - offset, owner.Y - offset, width, height}, available);
}

} // namespace tessivar
