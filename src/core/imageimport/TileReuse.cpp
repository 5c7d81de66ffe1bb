#include "core/imageimport/TileReuse.h"

#include <algorithm>

namespace tessivar {

namespace {

struct Matches {
    std::vector<TileRemap::Target> slots; // per Tile: the set's slot (before any move)
    std::vector<bool> reused;
    int fresh = 0; // Tiles still to store
};

// The set's Tiles in use outside [skipFrom, skipTo) go first in one list with the
// picture's Tiles, so that the one duplicate search tells which picture Tiles equal one.
Matches match(const std::vector<Tile>& tiles, const TileSet& tileSet, int skipFrom, int skipTo,
              DuplicateMode mode) {
    std::vector<Tile> list;
    std::vector<std::uint32_t> slotOf;
    for (int slot = 0; slot < std::min(tileSet.tileCount, kMaxTiles); ++slot)
        if (slot < skipFrom || slot >= skipTo) {
            list.push_back(tileSet.tiles[static_cast<std::size_t>(slot)]);
            slotOf.push_back(static_cast<std::uint32_t>(slot));
        }
    const std::size_t candidates = list.size();
    list.insert(list.end(), tiles.begin(), tiles.end());
    const TileRemap remap = RemoveDuplicateTiles(list, mode);
    // Kept candidates take the first kept numbers, in order.
    std::vector<std::uint32_t> keptSlot;
    for (std::size_t c = 0; c < candidates; ++c)
        if (remap[c].tile == keptSlot.size())
            keptSlot.push_back(slotOf[c]);
    Matches result;
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        TileRemap::Target target = remap[candidates + i];
        const bool reused = target.tile < keptSlot.size();
        if (reused)
            target.tile = keptSlot[target.tile];
        else
            ++result.fresh;
        result.slots.push_back(target);
        result.reused.push_back(reused);
    }
    return result;
}

} // namespace

TileSetIndex::TileSetIndex(const TileSet& tileSet, DuplicateMode mode) {
    if (mode == DuplicateMode::None)
        return;
    for (int slot = 0; slot < std::min(tileSet.tileCount, kMaxTiles); ++slot) {
        const Tile& tile = tileSet.tiles[static_cast<std::size_t>(slot)];
        tiles_.insert(tile);
        if (mode == DuplicateMode::Full) {
            tiles_.insert(UpsideDown(tile));
            tiles_.insert(Mirrored(tile));
            tiles_.insert(Mirrored(UpsideDown(tile)));
        }
    }
}

std::vector<TileRemap::Target> ReuseSetTiles(std::vector<Tile>& tiles, const TileSet& tileSet,
                                             int at, bool overwrite, DuplicateMode mode) {
    const DuplicateMode equal =
        mode == DuplicateMode::Full ? DuplicateMode::Full : DuplicateMode::Duplicates;
    // Overwriting replaces the slots the new Tiles go to, and inserting pushes the last
    // slots off the end: those Tiles cannot be reused. Each Tile not reused widens that
    // range, until it holds still.
    Matches found = match(tiles, tileSet, kMaxTiles, kMaxTiles, equal);
    for (int stored = 0; stored != found.fresh;) {
        stored = found.fresh;
        found = overwrite ? match(tiles, tileSet, at, at + stored, equal)
                          : match(tiles, tileSet, kMaxTiles - stored, kMaxTiles, equal);
    }
    std::vector<Tile> fresh;
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        TileRemap::Target& target = found.slots[i];
        if (!found.reused[i]) {
            target = {static_cast<std::uint32_t>(at) + static_cast<std::uint32_t>(fresh.size()),
                      false, false};
            fresh.push_back(tiles[i]);
        } else if (!overwrite && target.tile >= static_cast<std::uint32_t>(at)) {
            target.tile += static_cast<std::uint32_t>(found.fresh); // moved up by the insertion
        }
    }
    tiles = std::move(fresh);
    return found.slots;
}

} // namespace tessivar
