#pragma once

// "Apply" of the Animation dialog: turns a run of consecutive Tiles into an animation
// loop in the three built-in categories.

#include "core/util/Result.h"
#include "core/workspace/Workspace.h"

#include <cstdint>

namespace tessivar {

// For each Tile t of start..end: "Animated" 1, "AnimNext" t + 1 (start for the last one,
// closing the loop) and "AnimDelay" = delay. A run with start > end writes nothing. A
// run that reaches outside the Tile slots 0..767 is refused with its reason and writes
// nothing. Writing marks the set modified and announces TileInfoChanged.
Status ApplyAnimation(Workspace& workspace, int start, int end, std::int32_t delay);

} // namespace tessivar
