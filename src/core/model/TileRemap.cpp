#include "core/model/TileRemap.h"

#include <algorithm>

namespace tessivar {

TileRemap::TileRemap(std::size_t size)
    : targets_(size) {
    for (std::size_t old = 0; old < size; ++old)
        targets_[old].Tile = static_cast<std::uint32_t>(old);
}

TileRemap TileRemap::Identity(std::size_t size) {
    return TileRemap(size);
}

TileRemap TileRemap::ForInsertion(int at, int count) {
    TileRemap remap(kHighestCellTile + 1);
    for (std::uint32_t old = static_cast<std::uint32_t>(std::max(at, 0)); old <= kHighestCellTile;
         ++old)
        remap.targets_[old].Tile =
            std::min(old + static_cast<std::uint32_t>(count), kHighestCellTile);
    return remap;
}

TileRemap TileRemap::ForDeletion(int at, int count) {
    TileRemap remap(kHighestCellTile + 1);
    const auto first = static_cast<std::uint32_t>(std::max(at, 0));
    const auto removed = static_cast<std::uint32_t>(std::max(count, 0));
    for (std::uint32_t old = first + 1; old <= kHighestCellTile; ++old)
        remap.targets_[old].Tile = old - std::min(old - first, removed);
    return remap;
}

bool TileRemap::Apply(MapGrid& grid) const {
    bool changed = false;
    for (MapCell& cell : grid.Cells) {
        if (cell.Tile >= targets_.size())
            continue;
        const Target& target = targets_[cell.Tile];
        const MapCell before = cell;
        cell.Tile = static_cast<std::uint16_t>(std::min(target.Tile, kHighestCellTile));
        cell.HFlip ^= static_cast<std::uint8_t>(target.ToggleHFlip);
        cell.VFlip ^= static_cast<std::uint8_t>(target.ToggleVFlip);
        changed = changed || !(cell == before);
    }
    return changed;
}

} // namespace tessivar
