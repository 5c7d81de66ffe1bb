#include "core/imageimport/TileSetOptimizer.h"

#include "core/imageimport/TileOrientation.h"
#include "core/model/TileRemap.h"
#include "core/model/TileSlots.h"

#include <algorithm>
#include <unordered_map>

namespace tessivar {

OptimizeSummary OptimizeTileSet(TileSet& tileSet, MapGrid& map) {
    const int count = std::clamp(tileSet.tileCount, 0, kMaxTiles);
    // Numbers at and above the count move down by the number of Tiles removed.
    TileRemap remap = TileRemap::Identity(kHighestCellTile + 1);
    std::unordered_map<Tile, std::uint32_t, TileHash> kept;
    int keptCount = 0;
    for (int t = 0; t < count; ++t) {
        const auto [slot, isNew] = kept.try_emplace(tileSet.tiles[static_cast<std::size_t>(t)],
                                                    static_cast<std::uint32_t>(keptCount));
        remap[static_cast<std::size_t>(t)].tile = slot->second;
        if (isNew)
            MoveTileSlot(tileSet, t, keptCount++);
    }
    OptimizeSummary summary;
    const int removed = count - keptCount;
    if (removed == 0)
        return summary;
    for (std::size_t old = static_cast<std::size_t>(count); old < remap.size(); ++old)
        remap[old].tile = static_cast<std::uint32_t>(old) - static_cast<std::uint32_t>(removed);
    tileSet.tileCount -= removed;
    summary.removed = removed;
    summary.change.tileSetModified = true;
    summary.change.mapModified = remap.Apply(map);
    summary.change.views = TilesChanged | TileSetReshaped | MapChanged | TileSetTitleChanged;
    return summary;
}

} // namespace tessivar
