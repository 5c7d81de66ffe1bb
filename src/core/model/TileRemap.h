#pragma once

// Every renumbering of map cells is one table from old Tile numbers to new ones, applied
// to the map in one pass. An entry can also turn a cell's flip flags over (a Tile merged
// into a mirrored twin is shown through the twin, mirrored back).

#include "core/model/MapDocument.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessivar {

class TileRemap {
public:
    struct Target {
        std::uint32_t Tile = 0;
        bool ToggleHFlip = false;
        bool ToggleVFlip = false;
    };

    TileRemap() = default;
    // Old numbers 0..size-1, each mapped to itself.
    static TileRemap Identity(std::size_t size);
    // `count` Tiles inserted at `at`: numbers from `at` on move up by `count`, stopping at
    // the highest number a cell can hold.
    static TileRemap ForInsertion(int at, int count);
    // `count` Tiles removed at `at`, one after the other: the numbers of the removed Tiles
    // fall to `at`, the numbers above them move down by `count`.
    static TileRemap ForDeletion(int at, int count);

    std::size_t size() const { return targets_.size(); }
    const Target& operator[](std::size_t old) const { return targets_[old]; }
    Target& operator[](std::size_t old) { return targets_[old]; }

    // Renumbers every cell whose number the table covers; other cells stay as they are.
    // True when some cell changed.
    bool Apply(MapGrid& grid) const;

private:
    explicit TileRemap(std::size_t size);
    std::vector<Target> targets_;
};

// The highest number the Tile field of a map cell holds.
constexpr std::uint32_t kHighestCellTile = 0xFFFF;

} // namespace tessivar
