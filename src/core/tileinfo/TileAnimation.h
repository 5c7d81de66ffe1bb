#pragma once

// "Apply" of the Animation dialog: turns a run of consecutive Tiles into an animation
// loop in the three built-in categories.

#include "core/model/DocumentChange.h"
#include "core/model/TileSet.h"
#include "core/util/Result.h"

#include <cstdint>

namespace tessivar {

// For each Tile t of start..end: "Animated" 1, "AnimNext" t + 1 (start for the last one,
// closing the loop) and "AnimDelay" = delay. A run with start > end writes nothing. A
// run that reaches outside the Tile slots 0..767 is refused with its reason and writes
// nothing. Writing modifies the set and touches TileInfoChanged.
Result<DocumentChange> ApplyAnimation(TileSet& tileSet, int start, int end, std::int32_t delay);

} // namespace tessivar
