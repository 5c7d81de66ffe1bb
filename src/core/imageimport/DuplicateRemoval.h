#pragma once

// Removal of duplicate Tiles from the list cut from a picture.

#include "core/imageimport/TileOrientation.h"
#include "core/model/TileRemap.h"
#include "core/model/TileSet.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace tessivar {

enum class DuplicateMode {
    Full,       // identical Tiles and Tiles equal to another mirrored either way or both
    Duplicates, // identical Tiles only
    None,
};

// Decides entry after entry whether it is kept or merged into an earlier kept one: a
// merged entry can only be an earlier entry's twin, and a kept entry is never merged
// later, so each entry is decided once, when it is reached. A merged entry's flags come
// from the first test, in the order identical, upside down, mirrored, both, that turns
// the kept Tile into it. Only ColorIndex bytes are compared; each entry is looked up once
// in a hash table.
class TileDeduplicator {
public:
    explicit TileDeduplicator(DuplicateMode mode)
        : mode_(mode) {}

    // Where `entry` goes: appended to `kept` (and shown plain) or an earlier kept Tile
    // with the flips that show it.
    TileRemap::Target Add(const Tile& entry, std::vector<Tile>& kept);

private:
    DuplicateMode mode_;
    std::unordered_map<Tile, std::uint32_t, TileHash> index_;
};

// Keeps the first entry of every class of equal Tiles (in mode Full: equal up to a
// flip), in their order, and returns the table from old entry numbers to the kept ones.
TileRemap RemoveDuplicateTiles(std::vector<Tile>& entries, DuplicateMode mode);

} // namespace tessivar
