#include "core/imageimport/DuplicateRemoval.h"

#include "core/imageimport/TileOrientation.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace tessivar {

namespace {

// How the kept Tile is turned to show a merged one.
TileRemap::Target orientationOf(const Tile& kept, const Tile& merged, std::uint32_t keptIndex) {
    TileRemap::Target target{keptIndex, false, false};
    if (merged == kept)
        return target;
    const Tile upsideDown = UpsideDown(kept);
    if (merged == upsideDown) {
        target.toggleVFlip = true;
        return target;
    }
    target.toggleHFlip = true;
    target.toggleVFlip = merged != Mirrored(kept);
    return target;
}

// The smallest of the Tile's four orientations: equal for Tiles that are flips of
// each other, since the four flips form a group.
Tile canonicalOrientation(const Tile& tile) {
    const Tile upsideDown = UpsideDown(tile);
    const Tile mirrored = Mirrored(tile);
    const Tile both = Mirrored(upsideDown);
    return std::min({tile, upsideDown, mirrored, both});
}

} // namespace

TileRemap RemoveDuplicateTiles(std::vector<Tile>& entries, DuplicateMode mode) {
    TileRemap remap = TileRemap::Identity(entries.size());
    if (mode == DuplicateMode::None)
        return remap;
    // A merged entry can only be an earlier entry's twin, and an entry that is kept is
    // never merged later: each entry is decided once, when it is reached.
    std::unordered_map<Tile, std::uint32_t, TileHash> kept;
    std::uint32_t keptCount = 0;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const Tile& entry = entries[k];
        const auto [slot, isNew] = kept.try_emplace(
            mode == DuplicateMode::Full ? canonicalOrientation(entry) : entry, keptCount);
        if (isNew) {
            remap[k].tile = keptCount;
            entries[keptCount++] = entry;
        } else {
            remap[k] = orientationOf(entries[slot->second], entry, slot->second);
        }
    }
    entries.resize(keptCount);
    entries.shrink_to_fit();
    return remap;
}

} // namespace tessivar
