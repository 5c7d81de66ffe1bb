#pragma once

// Removal of duplicate Tiles from the list cut from a picture.

#include "core/model/TileRemap.h"
#include "core/model/TileSet.h"

#include <vector>

namespace tessivar {

enum class DuplicateMode {
    Full,       // identical Tiles and Tiles equal to another mirrored either way or both
    Duplicates, // identical Tiles only
    None,
};

// Keeps the first entry of every class of equal Tiles (in mode Full: equal up to a
// flip), in their order, and returns the table from old entry numbers to the kept ones.
// A merged entry's flags come from the first test, in the order identical, upside down,
// mirrored, both, that turns the kept Tile into it. Only ColorIndex bytes are compared.
// Each entry is looked up once in a hash table: linear in the number of entries.
TileRemap RemoveDuplicateTiles(std::vector<Tile>& entries, DuplicateMode mode);

} // namespace tessivar
