#include "core/tileinfo/TileAnimation.h"

#include "core/tileinfo/TileInfoTypes.h"

#include <string>

namespace tessivar {

Result<DocumentChange> ApplyAnimation(TileSet& tileSet, int start, int end, std::int32_t delay) {
    if (start > end)
        return DocumentChange{};
    if (start < 0 || end >= kMaxTiles)
        return Fail("The animation runs from Tile " + std::to_string(start) + " to Tile " +
                    std::to_string(end) + ", but only Tiles 0 to " + std::to_string(kMaxTiles - 1) +
                    " exist.");
    auto& info = tileSet.TileInfo;
    for (int t = start; t <= end; ++t) {
        info[t][kAnimatedCategory] = 1;
        info[t][kAnimNextCategory] = t == end ? start : t + 1;
        info[t][kAnimDelayCategory] = delay;
    }
    return DocumentChange{TileInfoChanged, true};
}

} // namespace tessivar
