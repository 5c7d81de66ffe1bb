#include "core/tileinfo/TileAnimation.h"

#include "core/tileinfo/TileInfoTypes.h"

#include <string>

namespace tessivar {

Status ApplyAnimation(Workspace& workspace, int start, int end, std::int32_t delay) {
    if (start > end)
        return Ok();
    if (start < 0 || end >= kMaxTiles)
        return Fail("The animation runs from Tile " + std::to_string(start) + " to Tile " +
                    std::to_string(end) + ", but only Tiles 0 to " + std::to_string(kMaxTiles - 1) +
                    " exist.");
    auto& info = workspace.tileSet.tileInfo;
    for (int t = start; t <= end; ++t) {
        info[t][kAnimatedCategory] = 1;
        info[t][kAnimNextCategory] = t == end ? start : t + 1;
        info[t][kAnimDelayCategory] = delay;
    }
    workspace.MarkModified();
    workspace.notify(TileInfoChanged);
    return Ok();
}

} // namespace tessivar
