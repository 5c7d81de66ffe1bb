#pragma once

// Importing a picture against a shared tile set: each of the picture's Tiles that equals
// one of the set's Tiles in use (with mode Full also flipped) is shown through that Tile
// instead of being stored again.

#include "core/imageimport/DuplicateRemoval.h"
#include "core/imageimport/TileOrientation.h"
#include "core/model/TileRemap.h"
#include "core/model/TileSet.h"

#include <unordered_set>
#include <vector>

namespace tessivar {

// The set's Tiles in use, for telling quickly whether the set has a Tile (with mode
// Full also flipped; with mode None nothing is looked up and nothing is found).
class TileSetIndex {
public:
    TileSetIndex(const TileSet& tileSet, DuplicateMode mode);
    bool Contains(const Tile& tile) const { return tiles_.count(tile) != 0; }

private:
    std::unordered_set<Tile, TileHash> tiles_;
};

// `tiles` are the picture's Tiles to store, already free of duplicates among themselves,
// to be placed from slot `at` over the Tiles there (`overwrite`) or before them. Only
// Tiles the placement leaves in place are reused. Removes the reused ones from `tiles`
// and returns, for each Tile `tiles` held, the slot that shows it after the placement
// (Tiles moved up by an insertion counted) and the flips that turn that slot's Tile
// into it.
std::vector<TileRemap::Target> ReuseSetTiles(std::vector<Tile>& tiles, const TileSet& tileSet,
                                             int at, bool overwrite, DuplicateMode mode);

} // namespace tessivar
