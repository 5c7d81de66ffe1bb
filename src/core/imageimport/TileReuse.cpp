#include "core/imageimport/TileReuse.h"

#include <algorithm>

namespace tessivar {

namespace {

struct Matches {
    std::vector<TileRemap::Target> Slots; // per Tile: the set's slot (before any move)
    std::vector<bool> Reused;
    int Fresh = 0; // Tiles still to store
};

// The set's Tiles in use outside [skipFrom, skipTo) go first in one list with the
// picture's Tiles, so that the one duplicate search tells which picture Tiles equal one.
Matches Match(const std::vector<Tile>& tiles, const TileSet& tileSet, int skipFrom, int skipTo,
              DuplicateMode mode) {
    std::vector<Tile> list;
    std::vector<std::uint32_t> slotOf;
    for (int slot = 0; slot < std::min(tileSet.TileCount, kMaxTiles); ++slot)
        if (slot < skipFrom || slot >= skipTo) {
            list.push_back(tileSet.Tiles[static_cast<std::size_t>(slot)]);
            slotOf.push_back(static_cast<std::uint32_t>(slot));
        }
    const std::size_t candidates = list.size();
    list.insert(list.end(), tiles.begin(), tiles.end());
    const TileRemap remap = RemoveDuplicateTiles(list, mode);
    // Kept candidates take the first kept numbers, in order.
    std::vector<std::uint32_t> keptSlot;
    for (std::size_t c = 0; c < candidates; ++c)
        if (remap[c].Tile == keptSlot.size())
            keptSlot.push_back(slotOf[c]);
    Matches result;
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        TileRemap::Target target = remap[candidates + i];
        const bool reused = target.Tile < keptSlot.size();
        if (reused)
            target.Tile = keptSlot[target.Tile];
        else
            ++result.Fresh;
        result.Slots.push_back(target);
        result.Reused.push_back(reused);
    }
    return result;
}

} // namespace

TileSetIndex::TileSetIndex(const TileSet& tileSet, DuplicateMode mode) {
    if (mode == DuplicateMode::None)
        return;
    for (int slot = 0; slot < std::min(tileSet.TileCount, kMaxTiles); ++slot) {
        const Tile& tile = tileSet.Tiles[static_cast<std::size_t>(slot)];
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
    Matches found = Match(tiles, tileSet, kMaxTiles, kMaxTiles, equal);
    for (int stored = 0; stored != found.Fresh;) {
        stored = found.Fresh;
        found = overwrite ? Match(tiles, tileSet, at, at + stored, equal)
                          : Match(tiles, tileSet, kMaxTiles - stored, kMaxTiles, equal);
    }
    std::vector<Tile> fresh;
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        TileRemap::Target& target = found.Slots[i];
        if (!found.Reused[i]) {
            target = {static_cast<std::uint32_t>(at) + static_cast<std::uint32_t>(fresh.size()),
                      false, false};
            fresh.push_back(tiles[i]);
        } else if (!overwrite && target.Tile >= static_cast<std::uint32_t>(at)) {
            target.Tile += static_cast<std::uint32_t>(found.Fresh); // moved up by the insertion
        }
    }
    tiles = std::move(fresh);
    return found.Slots;
}

} // namespace tessivar
