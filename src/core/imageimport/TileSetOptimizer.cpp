#include "core/imageimport/TileSetOptimizer.h"

#include "core/imageimport/TileOrientation.h"
#include "core/model/TileRemap.h"
#include "core/model/TileSlots.h"

#include <algorithm>
#include <unordered_map>

namespace tessivar {

OptimizeSummary OptimizeTileSet(TileSet& tileSet, MapGrid& map) {
    const int count = std::clamp(tileSet.TileCount, 0, kMaxTiles);
    // Numbers at and above the count move down by the number of Tiles removed.
    TileRemap remap = TileRemap::Identity(kHighestCellTile + 1);
    std::unordered_map<Tile, std::uint32_t, TileHash> kept;
    int keptCount = 0;
    for (int t = 0; t < count; ++t) {
        const auto [slot, isNew] = kept.try_emplace(tileSet.Tiles[static_cast<std::size_t>(t)],
                                                    static_cast<std::uint32_t>(keptCount));
        remap[static_cast<std::size_t>(t)].Tile = slot->second;
        if (isNew)
            MoveTileSlot(tileSet, t, keptCount++);
    }
    OptimizeSummary summary;
    const int removed = count - keptCount;
    if (removed == 0)
        return summary;
    for (std::size_t old = static_cast<std::size_t>(count); old < remap.size(); ++old)
        remap[old].Tile = static_cast<std::uint32_t>(old) - static_cast<std::uint32_t>(removed);
    tileSet.TileCount -= removed;
    summary.Removed = removed;
    summary.Change.TileSetModified = true;
    summary.Change.MapModified = remap.Apply(map);
    summary.Change.Views = TilesChanged | TileSetReshaped | MapChanged | TileSetTitleChanged;
    return summary;
}

std::string OptimizeStatusText(int countBefore, int removed) {
    if (removed <= 0)
        return "Optimize: no duplicate Tiles";
    return "Optimize: " + std::to_string(removed) + " duplicate " +
           (removed == 1 ? "Tile" : "Tiles") + " removed (" + std::to_string(countBefore) +
           " \u2192 " + std::to_string(countBefore - removed) + ")";
}

} // namespace tessivar
