#include "core/workspace/WindowPlacement.h"

#include <algorithm>

namespace tessivar {

namespace {

// The start of a span of `length` inside [low, low + room): as close to `start` as fits.
int fitSpan(int start, int length, int low, int room) {
    return std::max(low, std::min(start, low + room - length));
}

} // namespace

ScreenRect KeepInside(ScreenRect window, const ScreenRect& available) {
    window.width = std::clamp(window.width, 0, std::max(available.width, 0));
    window.height = std::clamp(window.height, 0, std::max(available.height, 0));
    window.x = fitSpan(window.x, window.width, available.x, available.width);
    window.y = fitSpan(window.y, window.height, available.y, available.height);
    return window;
}

ScreenRect PlaceBeside(const ScreenRect& owner, int width, int height, const ScreenRect& available,
                       int offset) {
    const ScreenRect right{owner.right(), owner.y, width, height};
    if (right.right() <= available.right() && width <= available.width)
        return KeepInside(right, available);
    const ScreenRect left{owner.x - width, owner.y, width, height};
    if (left.x >= available.x)
        return KeepInside(left, available);
    // No room on either side: slide in from the right as far as needed, so that the
    // owner's left part stays in view.
    const ScreenRect slid = KeepInside(right, available);
    if (slid.x > owner.x)
        return slid;
    // Not even that: overlap, but leave a corner of the owner in view.
    const ScreenRect down =
        KeepInside({owner.x + offset, owner.y + offset, width, height}, available);
    if (down.x > owner.x || down.y > owner.y)
        return down;
    return KeepInside({owner.x - offset, owner.y - offset, width, height}, available);
}

} // namespace tessivar
